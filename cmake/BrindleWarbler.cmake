# Helpers shared by every folder's CMakeLists.txt.

find_package(GTest REQUIRED)
find_package(benchmark QUIET)

# bw_add_test(NAME SOURCES ... LIBS ...): one GoogleTest program, registered with CTest under NAME.
function(bw_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(test_${name} ${T_SOURCES})
  target_link_libraries(test_${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# bw_add_bench(NAME SOURCES ... LIBS ...): one Google Benchmark program.
function(bw_add_bench name)
  if(NOT benchmark_FOUND)
    return()
  endif()
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(bench_${name} ${B_SOURCES})
  target_link_libraries(bench_${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
macro(bw_add_subfolders)
  file(GLOB _bw_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _bw_children)
  foreach(_bw_child ${_bw_children})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_bw_child}/CMakeLists.txt)
      add_subdirectory(${_bw_child})
    endif()
  endforeach()
endmacro()
