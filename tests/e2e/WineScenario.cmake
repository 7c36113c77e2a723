# The Windows scenario runner, built with the MinGW-w64 toolchain and run
# under Wine by tests/e2e/run-wine-scenarios.sh: it plays tests/scenarios/*.scn
# against Pelorin-probe.exe (the program with its test probe) with real input.
# It reads the scenario files with the very parser of the simulated runner.
# Included by cmake/Win32Program.cmake.

file(GLOB PELORIN_WINE_SCENARIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/wine_scenario/*.cpp)
add_executable(pelorin-wine-scenario
  ${PELORIN_WINE_SCENARIO_SOURCES}
  ${PROJECT_SOURCE_DIR}/tests/scenario/scenario_lexer.cpp
  ${PROJECT_SOURCE_DIR}/tests/scenario/scenario_grammar.cpp
  ${PROJECT_SOURCE_DIR}/tests/scenario/scenario_parser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop.cpp)
target_link_libraries(pelorin-wine-scenario PRIVATE pelorin_core comctl32)
target_link_options(pelorin-wine-scenario PRIVATE ${PELORIN_STATIC_LINK} -mconsole)
