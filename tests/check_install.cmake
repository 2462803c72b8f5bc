# Installs the build in BUILD_DIR into the scratch folder PREFIX and checks
# the files an installation must hold, and that it holds nothing else.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix
                        ${PREFIX} OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

if(WINDOWS)
  set(expected bin/bondscope.exe)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../README.md)
    list(APPEND expected README.md)
  endif()
else()
  set(expected bin/bondscope share/man/man1/bondscope.1)
endif()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}\nexpected: ${expected}")
endif()
file(REMOVE_RECURSE ${PREFIX})
