# The Windows scenario runner, built with the MinGW-w64 toolchain and run
# under Wine by tests/e2e/run-wine-scenarios.sh: it plays tests/scenarios/*.scn
# against Pelorin-probe.exe (the program with its test probe) with real input.
# It reads the scenario files with the very parser of the simulated runner,
# and plays them through the same command routing, checks and run over files
# (the portable part of tests/scenario, listed here).
# Included by cmake/Win32Program.cmake.

file(GLOB PELORIN_WINE_SCENARIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/wine_scenario/*.cpp)
set(PELORIN_SHARED_SCENARIO_SOURCES
  scenario_lexer.cpp scenario_grammar.cpp scenario_parser.cpp
  scenario_text.cpp folder_paths.cpp menu_item_names.cpp scenario_answers.cpp
  folder_setup.cpp file_expectations.cpp dialog_expectations.cpp output_expectations.cpp
  window_expectations.cpp command_player.cpp scenario_play.cpp scenario_files.cpp)
list(TRANSFORM PELORIN_SHARED_SCENARIO_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/tests/scenario/)
add_executable(pelorin-wine-scenario
  ${PELORIN_WINE_SCENARIO_SOURCES}
  ${PELORIN_SHARED_SCENARIO_SOURCES}
  ${PROJECT_SOURCE_DIR}/platform/sim/scenario_quote.cpp
  ${PROJECT_SOURCE_DIR}/platform/sim/dialog_answer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop.cpp)
target_link_libraries(pelorin-wine-scenario PRIVATE pelorin_core comctl32 version)
target_link_options(pelorin-wine-scenario PRIVATE ${PELORIN_STATIC_LINK} -mconsole)

# Stands in for the browser and the help viewer, so that expect opened is
# checked on the real program (run-wine-scenarios.sh registers it).
add_executable(pelorin-open-recorder ${CMAKE_CURRENT_LIST_DIR}/open_recorder/open_recorder.cpp)
target_link_options(pelorin-open-recorder PRIVATE ${PELORIN_STATIC_LINK} -mwindows)

# Another program that holds a key combination system-wide (hold KEYS).
add_executable(pelorin-hotkey-holder ${CMAKE_CURRENT_LIST_DIR}/hotkey_holder/hotkey_holder.cpp)
target_link_options(pelorin-hotkey-holder PRIVATE ${PELORIN_STATIC_LINK} -mwindows)
add_dependencies(pelorin-wine-scenario pelorin-hotkey-holder)
