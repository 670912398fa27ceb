# Project-wide warnings, sanitizers and the helpers every subsystem uses.

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(ORLIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

# orlix_add_test(NAME src... LIBS lib...): a GoogleTest executable run by CTest.
function(orlix_add_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${PROJECT_SOURCE_DIR}/tests/private_working_dir.cpp)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ORLIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORLIX_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# orlix_add_fuzzer(NAME SOURCES src... LIBS lib... CORPUS dir...):
# with ORLIX_FUZZ a libFuzzer binary; otherwise a replay program that CTest
# runs over the regression corpus, so every input that once crashed stays tested.
function(orlix_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(ORLIX_FUZZ)
    add_executable(fuzz_${name} ${F_SOURCES})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE ${F_LIBS})
    set_property(GLOBAL APPEND PROPERTY ORLIX_FUZZERS "fuzz_${name}|${F_CORPUS}")
  else()
    add_executable(replay_${name} ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE ${F_LIBS})
    add_test(NAME fuzz_replay_${name} COMMAND replay_${name} ${F_CORPUS})
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
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Widgets GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ORLIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORLIX_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples"
    ORLIX_TEST_WIDGETS=$<BOOL:${T_WIDGETS}>)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()
