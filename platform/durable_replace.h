#pragma once
// The two platform steps of an atomic write: the new contents reach the disk,
// then the flushed temporary file takes the target's place in one step. POSIX:
// fsync and rename; Windows: FlushFileBuffers and MoveFileExW with
// MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.

#include <filesystem>
#include <string>

#include "platform/file_system.h"

namespace pelorin::platform {

// `shown` names the target in error messages.
FileResult FlushToDisk(const std::filesystem::path& path, const std::string& shown);
FileResult ReplaceTarget(const std::filesystem::path& from, const std::filesystem::path& to,
                         const std::string& shown);

}  // namespace pelorin::platform
