# Pelorin.exe and its test programs, built with the MinGW-w64 toolchain
# (cmake/mingw-w64-x86_64.cmake). Included by the top-level CMakeLists.txt.

enable_language(RC)

# Windows 10 API level (per-monitor DPI); only W functions, no min/max macros.
target_compile_definitions(pelorin_core PUBLIC
  UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# The core's code page 932 codec widens and narrows through the platform's pair.
target_sources(pelorin_core PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/wide.cpp)

# One static exe that imports only system DLLs.
set(PELORIN_STATIC_LINK -static -static-libgcc -static-libstdc++ -municode)

file(GLOB PELORIN_WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/*.cpp)
list(REMOVE_ITEM PELORIN_WIN32_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/text_codec_win32.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/wide.cpp)

add_executable(Pelorin WIN32
  ${PELORIN_WIN32_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/resources/pelorin.rc)
target_link_libraries(Pelorin PRIVATE pelorin_core comctl32 shell32 ole32)
target_link_options(Pelorin PRIVATE ${PELORIN_STATIC_LINK} -mwindows $<$<NOT:$<CONFIG:Debug>>:-s>)
# windres takes the version from the core's PELORIN_VERSION_* definitions,
# and the icon and the manifest from beside the .rc file.
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/resources/pelorin.rc
  PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/resources/pelorin.ico;${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/resources/Pelorin.exe.manifest")

# The test build: the same program with the read-only probe that the Windows
# scenario runner asks about the real menus, tooltip and beeps
# (platform/win32/probe/). The released Pelorin.exe is built without it.
add_executable(Pelorin-probe WIN32
  ${PELORIN_WIN32_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/probe/probe.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/resources/pelorin.rc)
target_compile_definitions(Pelorin-probe PRIVATE PELORIN_PROBE)
target_link_libraries(Pelorin-probe PRIVATE pelorin_core comctl32 shell32 ole32)
target_link_options(Pelorin-probe PRIVATE ${PELORIN_STATIC_LINK} -mwindows)

include(${CMAKE_CURRENT_SOURCE_DIR}/tests/faults/WineCrash.cmake)
include(${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/WineScenario.cmake)
include(${CMAKE_CURRENT_SOURCE_DIR}/bench/wine/WineBench.cmake)
