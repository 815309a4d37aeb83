# Helpers shared by the folders' CMakeLists.

# zentrimo_test(NAME SOURCES a.cpp b.cpp LIBS lib... [OWN_MAIN] [ENVIRONMENT VAR=VALUE...]
#               [PROPERTIES name value...])
# One GoogleTest executable per folder; CTest lists each test case by name.
# OWN_MAIN: the sources provide main() (GUI tests create their QApplication there).
function(zentrimo_test name)
  cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS;ENVIRONMENT;PROPERTIES" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${ZENTRIMO_WINDOWS_MANIFEST})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    ZENTRIMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZENTRIMO_BINARY_DIR="${PROJECT_BINARY_DIR}")
  # The environment travels as a launcher (cmake -E env) rather than as the ENVIRONMENT property,
  # whose list separators do not survive gtest_discover_tests: only the first variable would arrive.
  set(launcher ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${T_ENVIRONMENT})
  if(WIN32)
    list(APPEND launcher ZENTRIMO_WINEPREFIX=${ZENTRIMO_WINEPREFIX} ${PROJECT_SOURCE_DIR}/cmake/wine-run)
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 600 ${T_PROPERTIES})
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
  # Every seed and every input that once crashed stays a regression case.
  file(GLOB corpus ${PROJECT_SOURCE_DIR}/tests/corpus/${name}/*)
  list(FILTER corpus EXCLUDE REGEX "\\.(py|md)$")
  if(ZENTRIMO_TESTS AND corpus)
    add_test(NAME ${name}.ReplaysItsCorpus COMMAND ${name}-replay ${corpus})
  endif()
  if(ZENTRIMO_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
  endif()
endfunction()
