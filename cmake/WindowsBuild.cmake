# Settings of the Windows cross-build (cmake/mingw-w64-x86_64.cmake): what Win32 offers in place of
# the Linux libraries, GoogleTest from Debian's sources, and the Wine prefix the tests run in.
# Windows 10 API (the UTF-8 code page manifest needs 1903); no min/max macros, no rarely used headers.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 WIN32_LEAN_AND_MEAN NOMINMAX)

# Every executable carries the manifest that makes UTF-8 its ANSI code page: the program's strings
# then mean the same bytes on both builds.
enable_language(RC)
set(ZENTRIMO_WINDOWS_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/windows/manifest.rc)

# Tests that need Linux programs (zentrimo-service, the Linux zentrimo-zip) find them in a Linux build
# tree of the same source; without one they are left out, and configuring says so.
set(ZENTRIMO_LINUX_BUILD_DIR "" CACHE PATH "A Linux build tree of this source, for the tests that need its programs")

# Every test program and replay runs under Wine in a prefix of this build tree's own, so that tests
# here never touch the user's ~/.wine nor a prefix another build is using.
set(ZENTRIMO_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env ZENTRIMO_WINEPREFIX=${ZENTRIMO_WINEPREFIX} ${PROJECT_SOURCE_DIR}/cmake/wine-run)

# GoogleTest has no mingw package: build Debian's sources as part of the tree. SYSTEM, because mingw
# warns inside its headers and the build treats warnings as errors.
macro(zentrimo_windows_gtest)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest SYSTEM EXCLUDE_FROM_ALL)
  # Its own CMake names the targets GTest::gtest, GTest::gmock, ... as the installed package does.
  foreach(lib gtest gtest_main gmock gmock_main)
    target_compile_options(${lib} PRIVATE -w)
  endforeach()
endmacro()
