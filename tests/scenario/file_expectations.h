#pragma once
// The expectations on the application folder's files, read as they are on
// disk, the settings file through the program's own settings code: expect
// file, bytes, nofile, ini. Both runners check them here; where a real window
// cannot save what the simulation saves, a runner says how it compares.

#include <filesystem>
#include <string_view>

#include "tests/scenario/folder_paths.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

// How a runner holds what the program saved against what a scenario expects.
// This one compares exactly, as the simulation does.
class SavedContentRule {
 public:
  virtual ~SavedContentRule() = default;
  virtual bool SameFile(std::string_view expected, std::string_view actual) const {
    return expected == actual;
  }
  virtual bool SameSetting(std::string_view section, std::string_view key,
                           std::string_view expected, std::string_view actual) const {
    (void)section;
    (void)key;
    return expected == actual;
  }
};

// expect file PATH TEXT (the text in code page 932) and expect bytes PATH HEX.
StepResult CheckFile(const ScenarioFolder& folder, const Command& command,
                     const SavedContentRule& rule);
// expect nofile PATH: nothing there under that name.
StepResult CheckNoFile(const ScenarioFolder& folder, const Command& command);
// expect ini SECTION KEY VALUE|absent [in PATH] (設定.ini by default).
StepResult CheckIni(const ScenarioFolder& folder, const Command& command,
                    const SavedContentRule& rule);

}  // namespace pelorin::scenario
