# Packages of what `cmake --install` installs:
#
#   cmake --workflow --preset package-deb       Debian package (Linux)
#   cmake --workflow --preset package-windows   zip of bondscope.exe (Windows)
set(BONDSCOPE_PACKAGE_MAINTAINER
    "bondscope maintainers <maintainers@bondscope.invalid>"
    CACHE STRING "Maintainer named in the packages")

set(CPACK_PACKAGE_NAME bondscope)
set(CPACK_PACKAGE_VENDOR "bondscope")
set(CPACK_PACKAGE_CONTACT ${BONDSCOPE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "report the affection, titles and party figures in save blocks")
set(CPACK_PACKAGE_DESCRIPTION
    "bondscope reads any file that holds a role-playing game's memory-card save
blocks (a card image, a card inside a container, a whole disk dump), finds
every save by its signature and prints, for each, the affection counters of
four party characters and, on request, the save's title and the status of
the nine party characters, as Shift-JIS text.")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES /\\.git/ /build/)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()

# Debian: dependencies from dpkg-shlibdeps (Debian: dpkg-dev) when it is
# there, otherwise the C and C++ runtimes the program links against.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BONDSCOPE_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(BONDSCOPE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(BONDSCOPE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

include(CPack)
