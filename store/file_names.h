#pragma once
// Which names may be used as file names inside the folder `data`.

#include <cstddef>
#include <string>
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

// The longest category name, in bytes of UTF-8, whose kaomoji file
// "<name>.txt" and the temporary file of its atomic save (about 40
// characters longer) fit in the 255 that file systems allow for one file
// name: Windows counts UTF-16 units, Linux (a collection copied there)
// bytes, and a UTF-8 byte count is never below either.
inline constexpr std::size_t kLongestNameBytes = 200;

// Whether "<category>.txt" is a file name the program can read and save: a
// portable file name (no \ / : * ? " < > | or control characters, no
// device name) of a category name no longer than kLongestNameBytes. Names
// typed in the program always are; a hand-edited settings file may hold
// others.
bool CanNameItsOwnFile(std::string_view category);

// Whether a name from section FILE is one the program can read and save:
// a portable file name no longer than a category name's own file name.
bool IsUsableFileName(std::string_view name);

// The file name the program chooses for a category that cannot name its own
// file: the name with every character a file name cannot hold made "_",
// "_" before a device name, cut to 100 bytes on a character boundary, then
// "~", eight hexadecimal digits of a hash of the whole name, and ".txt"
// ("CON" gives "_CON~" + 8 digits + ".txt"). The hash keeps apart names
// that differ only where characters were replaced or cut, and gives the same
// file at every start even where section FILE cannot record it.
std::string ChosenFileName(std::string_view category);

}  // namespace pelorin::store
