#pragma once
// The setup commands on the application folder, played alike by both runners:
// file, bytes, mkdir, rmdir. Each command's PATH is resolved inside `appFolder`
// (folder_paths.h); a refused path fails the command.

#include <filesystem>

#include "tests/scenario/folder_paths.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

// file PATH TEXT (the text in code page 932) and bytes PATH HEX: written as a
// user's editor would, parents created, replaced whole.
StepResult PlayFileCommand(const ScenarioFolder& folder, const Command& command);
// mkdir PATH: the folder and its parents.
StepResult PlayMkdir(const ScenarioFolder& folder, const Command& command);
// rmdir PATH: the folder with all it holds; it must be there.
StepResult PlayRmdir(const ScenarioFolder& folder, const Command& command);

}  // namespace pelorin::scenario
