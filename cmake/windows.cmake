# Windows build: the program, and its tests run in process under Wine.
add_link_options(-static)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

file(GLOB windows_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
add_executable(quillory_windows_tests ${windows_test_sources})
target_link_libraries(quillory_windows_tests PRIVATE quillory_core gtest_main)
gtest_discover_tests(quillory_windows_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
