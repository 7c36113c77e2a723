#pragma once
// Temporary files that a save left behind when the program was ended in the
// middle of it (killed, or the machine lost power).

#include <string>

#include "platform/file_system.h"

namespace pelorin::store {

// Removes the temporary files of the program's own naming
// (platform::IsTemporaryFileName) in `data` and those of the settings file
// beside it, when the file they were to replace exists: only then is the
// temporary file a copy the user can do without (a rename that changes the
// letter case of a name moves the only copy through such a name). Failures
// are ignored: the files are tried again at the next start.
void RemoveLeftoverTemporaryFiles(platform::FileSystem& files, const std::string& appFolder,
                                  const std::string& dataFolder);

}  // namespace pelorin::store
