// The category-name checks. The input's first line is a name, the other
// lines the names of the other categories. The checks take any bytes; a name
// they let through is safe everywhere the program puts it: as a file name in
// `data` once ".txt" is appended, in code page 932, as a key of the settings
// file with its file name as the value, and as a piece of the comma-joined
// category list; and it differs from every other name in more than case.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_names.h"
#include "platform/text_codec.h"
#include "store/file_names.h"
#include "store/profile_document.h"
#include "store/profile_index.h"
#include "store/window_state.h"
#include "tests/fuzz/fuzz_support.h"

namespace pelorin::fuzz {
namespace {

// Blank text holds nothing but ' ' and the bytes of U+3000 (E3 80 80).
bool MadeOfBlankBytes(std::string_view text) {
  return text.find_first_not_of(" \xE3\x80") == text.npos;
}

void CheckFolding(const std::string& name) {
  const std::string folded = categories::FoldCase(name);
  PELORIN_FUZZ_CHECK(categories::FoldCase(folded) == folded);
  // Folding swaps letters for letters of the same length in UTF-8.
  if (IsWellFormedUtf8(name)) {
    PELORIN_FUZZ_CHECK(folded.size() == name.size());
    PELORIN_FUZZ_CHECK(IsWellFormedUtf8(folded));
  }
}

void CheckAccepted(const std::string& name, const std::vector<std::string>& others) {
  const std::string file = name + ".txt";
  PELORIN_FUZZ_CHECK(store::IsPortableFileName(file));
  PELORIN_FUZZ_CHECK(store::IsPlainFileName(file));
  PELORIN_FUZZ_CHECK(platform::IsCp932Representable(name));
  PELORIN_FUZZ_CHECK(store::IsStorableKey(name) && store::IsStorableValue(file));
  PELORIN_FUZZ_CHECK(name.find(',') == name.npos);

  store::ProfileDocument settings = store::ProfileDocument::Parse("");
  settings.Set("FILE", name, file);
  PELORIN_FUZZ_CHECK(store::ProfileIndex(settings.Serialize()).Get("FILE", name) ==
                     std::optional<std::string_view>(file));
  const std::vector<std::string> list{name, name};
  PELORIN_FUZZ_CHECK(store::ParseCategoryList(*store::JoinCategoryList(list)) == list);

  const std::string folded = categories::FoldCase(name);
  for (const std::string& other : others) PELORIN_FUZZ_CHECK(categories::FoldCase(other) != folded);
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;
  const std::vector<std::string_view> lines = SplitAtNewlines(AsText(data, size));
  const std::string name(lines.front());
  const std::vector<std::string> others(lines.begin() + 1, lines.end());

  if (pelorin::categories::IsBlank(name)) PELORIN_FUZZ_CHECK(MadeOfBlankBytes(name));
  CheckFolding(name);
  const std::optional<std::string> refusal = pelorin::categories::RefusalOf(name, others);
  if (refusal) {
    PELORIN_FUZZ_CHECK(!refusal->empty());
  } else {
    CheckAccepted(name, others);
  }
  return 0;
}
