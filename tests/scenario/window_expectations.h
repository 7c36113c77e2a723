#pragma once
// The expectations on the program and its window, compared alike by both
// runners with what each read from its world: the program's life, the lists,
// the menu's marks, the band, the state, the tooltip, the active window.

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

// A command that reads the program's window needs one: started, and not ended.
StepResult CheckProgramThere(bool started, bool running);
// expect ended / expect running
StepResult CheckEnded(bool started, bool ended);
StepResult CheckRunning(bool started, bool running, bool shown);

// expect LIST empty|TEXT...
StepResult CheckList(const Command& command, const std::vector<std::string>& actual);
// expect selected LIST N
StepResult CheckSelected(const Command& command, int actual);
// expect visible / checked ITEM yes|no; nullopt when it cannot be told (why).
StepResult CheckMenuMark(const Command& command, const std::optional<bool>& actual,
                         const std::string& why);
// expect topmost yes|no
StepResult CheckTopmost(const Command& command, bool actual);
// expect state normal|minimized|maximized
StepResult CheckState(const Command& command, platform::WindowState actual);
// expect tooltip TEXT; nullopt when it cannot be read (why).
StepResult CheckTooltip(const Command& command, const std::optional<std::string>& actual,
                        const std::string& why);
// expect caption ITEM TEXT; nullopt when it cannot be read (why).
StepResult CheckCaption(const Command& command, const std::optional<std::string>& actual,
                        const std::string& why);
// expect focus LIST; nullopt when no list has the focus (why).
StepResult CheckFocus(const Command& command, const std::optional<ListName>& actual,
                      const std::string& why);
// expect active TITLE: the title of the active window ("" for none).
StepResult CheckActive(const Command& command, const std::string& title);

}  // namespace pelorin::scenario
