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

// PATH of a command, inside the application folder; an empty or absolute
// path, one with a root, or one that climbs out with ".." is refused
// (nullopt, with the failure in why).
std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& appFolder,
                                                 const std::string& relative, std::string& why);

// True when something stands at the resolved path under exactly its name,
// letter case included: Windows finds "a.txt" when only "A.txt" is there, but
// a scenario names files as they are named.
bool NamedExactly(const std::filesystem::path& appFolder, const std::filesystem::path& resolved);

}  // namespace pelorin::scenario
