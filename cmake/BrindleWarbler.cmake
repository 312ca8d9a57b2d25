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

# True when a folder under tests/ or bench/ mirrors a source folder being built.
function(bw_mirrors_built_folder dir out)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${dir})
  string(REGEX REPLACE "^(tests|bench)/" "" rel "${rel}")
  set(found FALSE)
  foreach(f ${BW_FOLDERS})
    if(rel STREQUAL f OR f MATCHES "^${rel}/" OR rel MATCHES "^${f}/")
      set(found TRUE)
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt (under tests/
# and bench/ only those whose source folder is built).
macro(bw_add_subfolders)
  file(GLOB _bw_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _bw_children)
  foreach(_bw_child ${_bw_children})
    set(_bw_dir ${CMAKE_CURRENT_SOURCE_DIR}/${_bw_child})
    if(EXISTS ${_bw_dir}/CMakeLists.txt)
      set(_bw_keep TRUE)
      file(RELATIVE_PATH _bw_rel ${CMAKE_SOURCE_DIR} ${_bw_dir})
      if(_bw_rel MATCHES "^(tests|bench)/")
        bw_mirrors_built_folder(${_bw_dir} _bw_keep)
      endif()
      if(_bw_keep)
        add_subdirectory(${_bw_child})
      endif()
    endif()
  endforeach()
endmacro()
