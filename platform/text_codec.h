#pragma once
// Code page 932 exactly as Windows has it. Used only where files are read and
// written. Realised on glibc's iconv (host) and on MultiByteToWideChar (Win32).

#include <optional>
#include <string>

namespace pelorin::platform {

// UTF-8 -> code page 932 bytes. nullopt when any character does not
// round-trip (encode, then decode, gives the same text), as Windows would
// refuse it (U+301C, U+00A5 ...).
std::optional<std::string> EncodeCp932(const std::string& utf8);

// Code page 932 bytes -> UTF-8. nullopt when the bytes are not valid cp932.
std::optional<std::string> DecodeCp932(const std::string& bytes);

// Code page 932 bytes -> UTF-8 with U+FFFD for every invalid byte sequence.
std::string DecodeCp932Lossy(const std::string& bytes);

// True when every character of the UTF-8 text round-trips through cp932.
bool IsCp932Representable(const std::string& utf8);

}  // namespace pelorin::platform
