#pragma once
// Paths of a scenario's application folder, the same for both runners. Paths
// go to and from UTF-8 through char8_t, so that a name outside ASCII is not
// read in the system's code page where paths are wide (the Windows runner).

#include <filesystem>
#include <optional>
#include <string>

namespace pelorin::scenario {

std::filesystem::path PathFromUtf8(const std::string& utf8);
// The path in UTF-8 with '/' separators.
std::string Utf8Of(const std::filesystem::path& path);

// Where a scenario's PATHs lead: from the application folder, and with ".."
// at most up to `reachable`, a folder that holds it (the application folder
// itself where nothing above it may be reached). On Windows a name such as
// "data/..\\z.txt" leads out of the application folder, and a runner there
// places the folder deep enough that such a path stays in its own folder.
struct ScenarioFolder {
  std::filesystem::path app;
  std::filesystem::path reachable;
};

// PATH of a command, from the application folder; an empty or absolute path,
// one with a root, or one that leads out of the reachable folder is refused
// (nullopt, with the failure in why).
std::optional<std::filesystem::path> ResolvePath(const ScenarioFolder& folder,
                                                 const std::string& relative, std::string& why);

// True when something stands at the resolved path under exactly its name,
// letter case included: Windows finds "a.txt" when only "A.txt" is there, but
// a scenario names files as they are named.
bool NamedExactly(const ScenarioFolder& folder, const std::filesystem::path& resolved);

}  // namespace pelorin::scenario
