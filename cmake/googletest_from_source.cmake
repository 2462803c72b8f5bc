# GoogleTest compiled as part of this build from its sources (Debian:
# googletest, in /usr/src/googletest), for builds that cannot use an
# installed copy, such as the cross build for Windows.  Provides the same
# GTest::gtest and GTest::gtest_main targets as find_package(GTest).
set(BONDSCOPE_GOOGLETEST_SOURCE_DIR
    /usr/src/googletest
    CACHE PATH "GoogleTest sources, used when no installed GoogleTest fits")
if(NOT EXISTS ${BONDSCOPE_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(
    FATAL_ERROR
      "GoogleTest not found: install libgtest-dev (native builds) or "
      "googletest (sources in /usr/src/googletest), or set "
      "BONDSCOPE_GOOGLETEST_SOURCE_DIR, or configure with "
      "-DBONDSCOPE_BUILD_TESTS=OFF")
endif()

# Only the library: no GoogleMock, nothing installed with bondscope.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${BONDSCOPE_GOOGLETEST_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
endif()
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
