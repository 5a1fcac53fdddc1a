# Native build: unit tests of the portable core, benchmarks and fuzzers.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB native_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(quillory_native_tests ${native_test_sources})
target_link_libraries(quillory_native_tests PRIVATE quillory_core GTest::gtest_main)
# Where the tests find the scripts that read our files with implementations we did not write.
target_compile_definitions(quillory_native_tests PRIVATE QUILLORY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# Test tables name only the record fields a case needs; the others are meant to be zero.
target_compile_options(quillory_native_tests PRIVATE -Wno-missing-field-initializers)
gtest_discover_tests(quillory_native_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR})

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  list(FILTER bench_sources EXCLUDE REGEX "_win32\\.cpp$")
  add_executable(quillory_bench ${bench_sources})
  target_link_libraries(quillory_bench PRIVATE quillory_core benchmark::benchmark_main)
endif()

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # The fuzzers link a copy of the core built with the same instrumentation:
  # only then are they guided by the core's branches, and is a read past a
  # buffer caught in the core's code, not only in their own.
  get_target_property(core_sources_for_fuzzing quillory_core SOURCES)
  add_library(quillory_core_fuzz STATIC EXCLUDE_FROM_ALL ${core_sources_for_fuzzing})
  target_include_directories(quillory_core_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(quillory_core_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  foreach(source ${fuzz_sources})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE quillory_core_fuzz)
  endforeach()
endif()
