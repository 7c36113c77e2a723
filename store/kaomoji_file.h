#pragma once
// The kaomoji file format: one entry a line, CR LF after every line.
//
// Reading: a file starting with the UTF-8 byte-order mark is UTF-8; so is one
// without the mark whose bytes are valid UTF-8 and not plain ASCII; otherwise
// code page 932. Bytes valid in neither are shown as U+FFFD and reported.
// A line ends at CR LF, CR or LF; the end of the file ends a last line;
// nothing follows the last line end.
// Writing: code page 932 when every entry round-trips through it, otherwise
// UTF-8 with the byte-order mark, so no kaomoji is ever lost. Also UTF-8 with
// the mark: a list whose code page 932 bytes would read as UTF-8. Ill-formed
// UTF-8 in an entry is written as U+FFFD: what is written never reads as
// damaged.

#include <string>
#include <string_view>
#include <vector>

namespace pelorin::store {

enum class KaomojiEncoding { Cp932, Utf8WithMark, Utf8WithoutMark, Damaged };

struct KaomojiFileContent {
  std::vector<std::string> entries;  // UTF-8
  KaomojiEncoding encoding = KaomojiEncoding::Cp932;
};

KaomojiFileContent ParseKaomojiFile(std::string_view bytes);
std::string SerializeKaomojiFile(const std::vector<std::string>& entries);

// Splits on CR LF, CR or LF as above (used by the reader; exposed for tests).
std::vector<std::string> SplitKaomojiLines(std::string_view text);

}  // namespace pelorin::store
