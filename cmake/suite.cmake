# Helpers shared by every folder of the suite: warnings, the Qt-free check of
# core libraries, unit tests, fuzz targets and benchmarks.

if(NOT SUITE_FUZZ)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  find_package(benchmark REQUIRED)
endif()

function(suite_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(SUITE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A core library: every rule and format of a program, with no Qt. The build
# fails when one of its sources or headers includes a Qt header.
function(suite_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  suite_warnings(${name})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  add_custom_target(${name}_no_qt
    COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_CURRENT_SOURCE_DIR}
            -P ${CMAKE_SOURCE_DIR}/cmake/check_no_qt.cmake
    COMMENT "Checking that ${name} includes no Qt header"
    VERBATIM)
  add_dependencies(${name} ${name}_no_qt)
endfunction()

# A GoogleTest executable; each test case becomes one CTest test. Window
# tests run on Qt's offscreen platform; a test needing more of the
# environment sets it itself.
function(suite_test name)
  if(SUITE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  suite_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A libFuzzer target. Built only in the fuzz preset; a normal build that knows
# the fuzz build tree registers a bounded CTest run of it.
function(suite_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(SUITE_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  elseif(SUITE_FUZZ_DIR)
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
    file(MAKE_DIRECTORY ${corpus})
    set(seeds "")
    if(ARG_CORPUS)
      set(seeds ${ARG_CORPUS})
    endif()
    add_test(NAME fuzz.${name}
      COMMAND ${SUITE_FUZZ_DIR}/fuzz/${name} -max_total_time=${SUITE_FUZZ_SECONDS}
              -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 ${corpus} ${seeds})
    set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 600)
  endif()
endfunction()

# A Google Benchmark executable (not run by CTest: speed goals live here).
function(suite_bench name)
  if(SUITE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  suite_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# A companion's manual page, share/man/man1/<target>.1 in the build tree,
# printed by the companion itself from the option table behind its --help.
function(suite_manpage target)
  set(page ${CMAKE_BINARY_DIR}/share/man/man1/${target}.1)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DOUT=${page}
            -P ${CMAKE_SOURCE_DIR}/cmake/write_manpage.cmake
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/write_manpage.cmake
    COMMENT "Writing the manual page of ${target}"
    VERBATIM)
  add_custom_target(${target}_manpage ALL DEPENDS ${page})
endfunction()
