# Project-wide warnings, sanitizers and the helpers every subsystem uses.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(ORLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

# The sanitizers' settings for every test process.
set(ORLIX_TEST_ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1" "UBSAN_OPTIONS=print_stacktrace=1")

# orlix_discovered_environment(OUT VAR=value...): the ENVIRONMENT property for
# gtest_discover_tests. It is a list, and its ";" must survive that function's
# argument parsing, the script it writes and that script's own parsing, each
# of which takes escapes away.
function(orlix_discovered_environment out)
  string(REPLACE ";" [=[\\\\\\\;]=] escaped "${ARGN}")
  set(${out} "${escaped}" PARENT_SCOPE)
endfunction()

# orlix_add_test(NAME src... LIBS lib... [ENV VAR=value...]): a GoogleTest
# executable run by CTest, each case with the given environment added. Tests
# reach the repository's files through tests/support/test_files.h.
function(orlix_add_test name)
  cmake_parse_arguments(T "" "" "LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${PROJECT_SOURCE_DIR}/tests/private_working_dir.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} orlix_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  orlix_discovered_environment(environment ${ORLIX_TEST_ENVIRONMENT} ${T_ENV})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${environment}")
endfunction()

# orlix_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir...):
# with ORLIX_FUZZ a libFuzzer binary; otherwise a replay program that CTest
# runs over the regression corpus, so every input that once crashed stays tested.
function(orlix_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(ORLIX_FUZZ)
    add_executable(fuzz_${name} ${F_SOURCES})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS} orlix_test_support)
    target_compile_definitions(fuzz_${name} PRIVATE ORLIX_FUZZING=1)
    # One line per fuzzer in fuzzers.txt: "fuzz_NAME|corpus|corpus...".
    string(REPLACE ";" "|" corpus "${F_CORPUS}")
    set_property(GLOBAL APPEND PROPERTY ORLIX_FUZZERS "fuzz_${name}|${corpus}")
  else()
    add_executable(replay_${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${F_LIBS} orlix_test_support)
    add_test(NAME fuzz_replay_${name} COMMAND replay_${name} ${F_CORPUS})
    set_tests_properties(fuzz_replay_${name} PROPERTIES ENVIRONMENT "${ORLIX_TEST_ENVIRONMENT}")
  endif()
endfunction()

# orlix_add_qt_test(NAME src... LIBS lib...): a GoogleTest executable for code
# that draws or shows windows. Its main (tests/display/qt_test_main.cpp) makes the Qt
# application; CTest runs it on the offscreen platform, so no display is needed.
function(orlix_add_qt_test name)
  cmake_parse_arguments(T "WIDGETS" "" "LIBS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${PROJECT_SOURCE_DIR}/tests/private_working_dir.cpp
                         ${PROJECT_SOURCE_DIR}/tests/display/qt_test_main.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} orlix_test_support Qt6::Widgets GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE ORLIX_TEST_WIDGETS=$<BOOL:${T_WIDGETS}>)
  orlix_discovered_environment(environment QT_QPA_PLATFORM=offscreen ${ORLIX_TEST_ENVIRONMENT})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${environment}")
endfunction()
