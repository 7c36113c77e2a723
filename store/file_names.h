#pragma once
// Which names may be used as file names inside the folder `data`.

#include <string_view>

namespace pelorin::store {

// A plain file name: not empty, not "." or "..", without \ / or :, so it can
// never point outside `data`.
bool IsPlainFileName(std::string_view name);

// A plain file name that every Windows file system accepts as well: none of
// * ? " < > | or control characters, not a device name (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, in any letter case, with or without an extension).
bool IsPortableFileName(std::string_view name);

// True for the Windows device names above.
bool IsDeviceName(std::string_view stem);

}  // namespace pelorin::store
