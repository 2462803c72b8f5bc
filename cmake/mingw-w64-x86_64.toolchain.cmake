# Cross compiling for 64-bit Windows with the mingw-w64 GCC toolchain
# (Debian: g++-mingw-w64-x86-64).
#
#   cmake -S . -B build/windows \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.toolchain.cmake
#
# The program is linked fully static (libgcc, libstdc++ and winpthread), so
# bondscope.exe runs on its own: it needs nothing but the system DLLs that
# every Windows installation has.  When Wine is installed, executables built
# here (the unit tests, the program under test) run through it, so CTest can
# run the Windows test suite on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BONDSCOPE_MINGW_TRIPLE x86_64-w64-mingw32)

# Debian installs two flavours of the compiler: -win32 (native Windows
# threads) and -posix (winpthread).  GoogleTest uses std::mutex, which GCC 12
# offers only in the posix flavour, so that one is taken; winpthread is linked
# statically like the rest of the runtime.
find_program(CMAKE_C_COMPILER NAMES ${BONDSCOPE_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${BONDSCOPE_MINGW_TRIPLE}-g++-posix
                                      REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${BONDSCOPE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BONDSCOPE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained executables: no libgcc_s_seh-1.dll, libstdc++-6.dll or
# libwinpthread-1.dll to ship beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Run what is built here through Wine (wine64 on Debian), with a Wine prefix
# of its own in the build folder; see wine-run.sh.  A caller may set its own
# emulator instead, or none.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(BONDSCOPE_WINE NAMES wine wine64)
  if(BONDSCOPE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
  endif()
endif()
