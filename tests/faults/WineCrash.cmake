# The crash test's Windows side, built with the MinGW-w64 toolchain and run
# under Wine by scripts/test-steps/65-wine-crash.sh: the writer saving through
# Win32FileSystem, the program's own file code on Windows, and the launcher
# that ends it with TerminateProcess. Included by cmake/Win32Program.cmake.

add_executable(pelorin-crash-writer
  ${CMAKE_CURRENT_LIST_DIR}/crash_writer.cpp
  ${PROJECT_SOURCE_DIR}/platform/win32/win32_file_system.cpp)
target_link_libraries(pelorin-crash-writer PRIVATE pelorin_core)
target_link_options(pelorin-crash-writer PRIVATE ${PELORIN_STATIC_LINK} -mconsole)

add_executable(pelorin-crash-launcher ${CMAKE_CURRENT_LIST_DIR}/crash_launcher_win32.cpp)
target_include_directories(pelorin-crash-launcher PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(pelorin-crash-launcher PRIVATE
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_link_options(pelorin-crash-launcher PRIVATE ${PELORIN_STATIC_LINK} -mconsole)
