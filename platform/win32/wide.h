#pragma once
// The one place where UTF-8 meets UTF-16: every W function of the platform
// takes its text through these two.

#include <string>
#include <string_view>

namespace pelorin::platform::win32 {

// UTF-8 -> UTF-16. Invalid UTF-8 sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);

// UTF-16 -> UTF-8. Unpaired surrogates become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace pelorin::platform::win32
