# Windows build: the program, and its tests run in process under Wine.
add_link_options(-static)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)

# The Windows front end: every *_win32.cpp but the entry point and the file
# and folder interfaces (which belong to the core).
set(gui_sources ${all_sources})
list(FILTER gui_sources INCLUDE REGEX "_win32\\.cpp$")
list(FILTER gui_sources EXCLUDE REGEX "(winmain|file_store|folder_listing|file_stamp|legacy_text)_win32\\.cpp$")
add_library(quillory_gui STATIC ${gui_sources})
target_link_libraries(quillory_gui PUBLIC quillory_core comctl32 shell32 advapi32 gdi32 user32 kernel32 ole32 oleaut32 comdlg32 winhttp uuid)

# The version of project() is the one version: string 1214 (the About box) and
# the version resource take it from a generated header.
set(quillory_version_patch 0)
if(PROJECT_VERSION_PATCH)
  set(quillory_version_patch ${PROJECT_VERSION_PATCH})
endif()
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
target_include_directories(quillory_gui PUBLIC ${CMAKE_BINARY_DIR}/generated)

set(resource_script ${CMAKE_SOURCE_DIR}/resources/quillory.rc)
file(GLOB resource_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
set_source_files_properties(${resource_script} PROPERTIES OBJECT_DEPENDS
                            "${resource_files};${CMAKE_BINARY_DIR}/generated/version.h")

add_executable(quillory WIN32 app/winmain_win32.cpp ${resource_script})
target_link_libraries(quillory PRIVATE quillory_gui)
target_link_options(quillory PRIVATE -mwindows)

set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB windows_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
add_executable(quillory_windows_tests ${windows_test_sources} ${resource_script})
target_link_libraries(quillory_windows_tests PRIVATE quillory_gui gtest)
# One run of the whole executable: every Wine start costs a few hundred milliseconds.
add_test(NAME windows_tests COMMAND quillory_windows_tests)
set_tests_properties(windows_tests PROPERTIES RUN_SERIAL TRUE)

# Times the change check of saving as the user types on the real window.
add_executable(quillory_change_check bench/change_check_win32.cpp ${resource_script})
target_link_libraries(quillory_change_check PRIVATE quillory_gui)

# Times the listings behind the watch for other versions.
add_executable(quillory_version_listing bench/version_listing_win32.cpp)
target_link_libraries(quillory_version_listing PRIVATE quillory_core)

# Times keeping the calendar file up to date.
add_executable(quillory_calendar_update bench/calendar_update_win32.cpp)
target_link_libraries(quillory_calendar_update PRIVATE quillory_core)

# Times what a subscription's reading costs the window's thread.
add_executable(quillory_subscription_reading bench/subscription_reading_win32.cpp ${resource_script})
target_link_libraries(quillory_subscription_reading PRIVATE quillory_gui)

# Times the main window's start and a DPI change.
add_executable(quillory_startup bench/startup_win32.cpp ${resource_script})
target_link_libraries(quillory_startup PRIVATE quillory_gui)

# Times Find in the real program, from outside.
add_executable(quillory_find_timing bench/find_timing_win32.cpp)
target_include_directories(quillory_find_timing PRIVATE ${CMAKE_SOURCE_DIR})

# Drives the real program from outside, by control id.
add_executable(quillory_driver tests/e2e/driver.cpp)
target_include_directories(quillory_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(quillory_driver PRIVATE ole32 uuid)

# End to end: the real program in a scratch folder, driven from outside.
file(GLOB e2e_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
list(FILTER e2e_scripts EXCLUDE REGEX "/lib\\.sh$")
foreach(script ${e2e_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e.${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
    set_tests_properties(e2e.${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 240 RUN_SERIAL TRUE)
endforeach()

include(cmake/manual.cmake)
