# The Win32 timings under Wine (bench/wine/run-wine-bench.sh), built with the
# MinGW-w64 toolchain; not part of the test run. Included by
# cmake/Win32Program.cmake.

# Pelorin-timing.exe: the program with the timing log of
# platform/win32/timing/timing.h. The released Pelorin.exe is built without it.
add_executable(Pelorin-timing WIN32
  ${PELORIN_WIN32_SOURCES}
  ${PROJECT_SOURCE_DIR}/platform/win32/timing/timing.cpp
  ${PROJECT_SOURCE_DIR}/platform/win32/resources/pelorin.rc)
target_compile_definitions(Pelorin-timing PRIVATE PELORIN_TIMING)
target_link_libraries(Pelorin-timing PRIVATE pelorin_core comctl32 shell32 ole32)
target_link_options(Pelorin-timing PRIVATE
  ${PELORIN_STATIC_LINK} -mwindows $<$<NOT:$<CONFIG:Debug>>:-s>)

# The start-up's baseline: a window and nothing else, linked as Pelorin.exe is.
add_executable(pelorin-bench-window WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_compile_definitions(pelorin-bench-window PRIVATE
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_link_options(pelorin-bench-window PRIVATE
  ${PELORIN_STATIC_LINK} -mwindows $<$<NOT:$<CONFIG:Debug>>:-s>)

add_executable(pelorin-wine-bench
  ${CMAKE_CURRENT_LIST_DIR}/wine_bench_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wine_bench_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/start_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selection_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paste_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pelorin_folder.cpp
  ${PROJECT_SOURCE_DIR}/bench/bench_table.cpp
  ${PROJECT_SOURCE_DIR}/tests/e2e/desktop.cpp
  ${PROJECT_SOURCE_DIR}/platform/win32/win32_file_system.cpp)
target_link_libraries(pelorin-wine-bench PRIVATE pelorin_core comctl32)
target_link_options(pelorin-wine-bench PRIVATE ${PELORIN_STATIC_LINK} -mconsole)
