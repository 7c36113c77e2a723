#pragma once
// The crash test's writer loop, on whichever file code the program uses on
// its platform: StdFileSystem on the host (crash_writer.cpp), Win32FileSystem
// on Windows (crash_writer_win32.cpp, killed under Wine).

#include <string>

#include "platform/file_system.h"

namespace pelorin::faults {

// Saves two versions of two files in turn, for ever, through `files`: the
// kaomoji file FOLDER/data/big.txt with WriteFileAtomic, and the category
// list (section LIST, key LIST) of FOLDER/設定.ini with SettingsFile::Write,
// which reads the file, changes the one value and replaces the file.
// VERSIONS is a folder holding kaomoji0, kaomoji1 (the kaomoji file's bytes)
// and list0, list1 (the LIST values, UTF-8). It starts with the version the
// kaomoji file does not hold, so that every write changes it, and prints
// "ready" just before the first write. Returns only on a failure: 2 when the
// versions cannot be read, 1 when a save failed (said on the error stream).
int RunCrashWriter(platform::FileSystem& files, const std::string& folder,
                   const std::string& versions);

}  // namespace pelorin::faults
