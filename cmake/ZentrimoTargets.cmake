# Helpers shared by the folders' CMakeLists.

# The Wine prefix the Linux tests see unless they make one of their own: none.
set(ZENTRIMO_NO_WINE_PREFIX "${PROJECT_BINARY_DIR}/no-wine-prefix")

# zentrimo_test(NAME SOURCES a.cpp b.cpp LIBS lib... [OWN_MAIN] [ENVIRONMENT VAR=VALUE...]
#               [PROPERTIES name value...])
# One GoogleTest executable per folder; CTest lists each test case by name.
# OWN_MAIN: the sources provide main() (GUI tests create their QApplication there).
# On Windows every test program runs under the strict layer (tests/support/strict): the documented
# Win32 rules that Wine does not enforce, as the user ZENTRIMO_WINDOWS_USER names (standard by default).
function(zentrimo_test name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${ZENTRIMO_WINDOWS_MANIFEST})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(WIN32)
    target_link_libraries(${name} PRIVATE zentrimo_strict)
  endif()
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    ZENTRIMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZENTRIMO_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # The environment travels as a launcher (cmake -E env) rather than as the ENVIRONMENT property,
  # whose list separators do not survive gtest_discover_tests: only the first variable would arrive.
  # On Linux, WINEPREFIX names a folder that does not exist, so that a Wine prefix in ~/.wine (the
  # user's, or one Wine made for itself) never stands in for the drive mapping a test expects.
  set(launcher ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen)
  if(WIN32)
    list(APPEND launcher ${T_ENVIRONMENT} ZENTRIMO_WINEPREFIX=${ZENTRIMO_WINEPREFIX} ${PROJECT_SOURCE_DIR}/cmake/wine-run)
  else()
    list(APPEND launcher WINEPREFIX=${ZENTRIMO_NO_WINE_PREFIX} ${T_ENVIRONMENT})
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 600 ${T_PROPERTIES})
endfunction()

# zentrimo_sound_capture(VAR)
# Under Wine there is no sound card: the environment in VAR (for zentrimo_test's ENVIRONMENT) points
# HOME at a folder of the current test folder whose .asoundrc sends Wine's ALSA output into
# played.wav there, and names that file in ZENTRIMO_PLAYED_SOUND (tests/support/PlayedSound.h).
function(zentrimo_sound_capture var)
  set(home ${CMAKE_CURRENT_BINARY_DIR}/sound-home)
  file(WRITE ${home}/.asoundrc
       "pcm.!default { type file slave.pcm \"null\" file \"${home}/played.wav\" format \"wav\" }\n")
  set(${var} HOME=${home} ZENTRIMO_PLAYED_SOUND=${home}/played.wav PARENT_SCOPE)
endfunction()

# zentrimo_fuzzer(NAME SOURCES a.cpp LIBS lib...)
# A libFuzzer target when ZENTRIMO_FUZZ is on. The same source also builds, always, as a replay
# program NAME-replay that feeds each file named on its command line to the entry point, so a
# crash input becomes a regression case.
function(zentrimo_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name}-replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/FuzzReplayMain.cpp
                 ${ZENTRIMO_WINDOWS_MANIFEST})
  target_link_libraries(${name}-replay PRIVATE ${F_LIBS})
  if(WIN32)
    target_link_libraries(${name}-replay PRIVATE zentrimo_strict)
  endif()
  # Every seed and every input that once crashed stays a regression case.
  file(GLOB corpus ${PROJECT_SOURCE_DIR}/tests/corpus/${name}/*)
  list(FILTER corpus EXCLUDE REGEX "\\.(py|md)$")
  if(ZENTRIMO_TESTS AND corpus)
    add_test(NAME ${name}.ReplaysItsCorpus COMMAND ${name}-replay ${corpus})
    if(NOT WIN32)
      set_tests_properties(${name}.ReplaysItsCorpus PROPERTIES ENVIRONMENT "WINEPREFIX=${ZENTRIMO_NO_WINE_PREFIX}")
    endif()
  endif()
  if(ZENTRIMO_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
  endif()
endfunction()
