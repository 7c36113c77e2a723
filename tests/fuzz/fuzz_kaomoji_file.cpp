// The kaomoji file reader and writer.
// 1. Any bytes as a file: reading never fails, every entry is well-formed
//    UTF-8 without a line break, and a save of what was read reads back as
//    the same entries.
// 2. The same bytes as the entries of a list (one a line): the program never
//    writes a file it would itself read as damaged, and a list of well-formed
//    entries reads back exactly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/kaomoji_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace pelorin::fuzz {
namespace {

using store::KaomojiEncoding;

bool HoldsLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

void CheckSaved(const std::vector<std::string>& entries, bool wellFormed) {
  const std::string bytes = store::SerializeKaomojiFile(entries);
  const store::KaomojiFileContent back = store::ParseKaomojiFile(bytes);
  PELORIN_FUZZ_CHECK(back.entries.size() == entries.size());
  if (wellFormed) PELORIN_FUZZ_CHECK(back.entries == entries);
  // Written in one of the two forms only, never as a damaged file.
  PELORIN_FUZZ_CHECK(back.encoding == KaomojiEncoding::Cp932 ||
                     back.encoding == KaomojiEncoding::Utf8WithMark);
}

void CheckAsFile(std::string_view bytes) {
  const store::KaomojiFileContent content = store::ParseKaomojiFile(bytes);
  for (const std::string& entry : content.entries) {
    PELORIN_FUZZ_CHECK(!HoldsLineBreak(entry));
    PELORIN_FUZZ_CHECK(IsWellFormedUtf8(entry));
  }
  if (content.encoding == KaomojiEncoding::Utf8WithoutMark) {
    PELORIN_FUZZ_CHECK(IsWellFormedUtf8(bytes));
  }
  CheckSaved(content.entries, true);
}

void CheckAsEntries(std::string_view text) {
  std::vector<std::string> entries;
  bool wellFormed = true;
  for (std::string_view piece : SplitAtNewlines(text)) {
    std::string entry(piece);
    std::erase(entry, '\r');
    wellFormed = wellFormed && IsWellFormedUtf8(entry);
    entries.push_back(std::move(entry));
  }
  CheckSaved(entries, wellFormed);
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;
  CheckAsFile(AsText(data, size));
  CheckAsEntries(AsText(data, size));
  return 0;
}
