// The settings file's reader and writer. The input is three lines (section,
// key, value) and then any bytes as the file. Parse, set that value, write,
// parse again: the value reads back exactly and every other value stays as
// it was; removing it changes no other value either. The index of the bytes
// (store::ProfileIndex) agrees with the index of the parsed document written
// again. The same change through store::SettingsFile (UTF-8 names, the file
// in any encoding) reads back too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/profile_document.h"
#include "store/profile_index.h"
#include "store/profile_syntax.h"
#include "store/settings_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace pelorin::fuzz {
namespace {

using store::ProfileDocument;
using Values = std::vector<std::optional<std::string>>;
using Name = std::pair<std::string_view, std::string_view>;  // section, key

// Every section and key name the file may hold (a superset: a name that is
// not there reads as missing before and after alike), a few of each.
struct Candidates {
  std::vector<std::string> sections;
  std::vector<std::string> keys;
};

void AddUnique(std::vector<std::string>& names, std::string_view name, std::size_t limit) {
  if (names.size() < limit && std::find(names.begin(), names.end(), name) == names.end()) {
    names.emplace_back(name);
  }
}

Candidates CandidatesOf(std::string_view bytes) {
  Candidates found;
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == bytes.npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (std::size_t equals = line.find('='); equals != line.npos) {
      AddUnique(found.keys, line.substr(0, equals), 16);
    }
    std::string_view trimmed = store::TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      for (std::size_t close = trimmed.find(']'); close != trimmed.npos;
           close = trimmed.find(']', close + 1)) {
        AddUnique(found.sections, store::TrimBlanks(trimmed.substr(1, close - 1)), 8);
      }
    }
    start = end + 1;
  }
  return found;
}

// The value of every candidate name but `except`, as the index of `text`
// (store::ProfileIndex) finds it.
Values ValuesIn(std::string text, const Candidates& names, std::optional<Name> except = {}) {
  const store::ProfileIndex index(std::move(text));
  Values values;
  for (const std::string& s : names.sections) {
    for (const std::string& k : names.keys) {
      if (except && store::EqualsIgnoringAsciiCase(s, except->first) &&
          store::EqualsIgnoringAsciiCase(k, except->second)) {
        continue;
      }
      const std::optional<std::string_view> value = index.Get(s, k);
      values.push_back(value ? std::optional<std::string>(*value) : std::nullopt);
    }
  }
  return values;
}

void CheckProfileDocument(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view value) {
  ProfileDocument document = ProfileDocument::Parse(file);
  const std::string serialized = document.Serialize();
  PELORIN_FUZZ_CHECK(ProfileDocument::Parse(serialized).Serialize() == serialized);
  if (!store::IsStorableSection(section) || !store::IsStorableKey(key) ||
      !store::IsStorableValue(value)) {
    return;
  }
  Candidates names = CandidatesOf(file);
  AddUnique(names.sections, section, 9);
  // The index of the file as it stands finds what the parsed document holds.
  PELORIN_FUZZ_CHECK(ValuesIn(std::string(file), names) == ValuesIn(serialized, names));
  const Values others = ValuesIn(serialized, names, Name{section, key});

  document.Set(section, key, value);
  const std::string written = ProfileDocument::Parse(document.Serialize()).Serialize();
  PELORIN_FUZZ_CHECK(ValuesIn(written, Candidates{{std::string(section)}, {std::string(key)}}) ==
                     Values{std::string(value)});
  PELORIN_FUZZ_CHECK(ValuesIn(written, names, Name{section, key}) == others);

  ProfileDocument removed = ProfileDocument::Parse(written);
  removed.Set(section, key, std::nullopt);
  PELORIN_FUZZ_CHECK(ValuesIn(ProfileDocument::Parse(removed.Serialize()).Serialize(), names,
                              Name{section, key}) == others);
}

// The settings file alone, in memory, so that a fuzz run touches no disk;
// SettingsFile only reads and replaces it.
class OneFile : public platform::FileSystem {
 public:
  explicit OneFile(std::string_view bytes) : bytes(bytes) {}
  platform::ReadResult ReadFile(const std::string&) override {
    return {platform::ReadStatus::Ok, bytes, {}};
  }
  platform::FileResult WriteFileAtomic(const std::string&, const std::string& written) override {
    bytes = written;
    return platform::FileResult::Ok();
  }
  platform::FileResult RenameFile(const std::string&, const std::string&) override {
    return platform::FileResult::Fail("not the settings file's");
  }
  platform::FileResult RemoveFile(const std::string&) override { return RenameFile("", ""); }
  bool Exists(const std::string&) override { return true; }
  platform::FileResult MakeDirectory(const std::string&) override { return RenameFile("", ""); }
  std::vector<std::string> ListFiles(const std::string&) override { return {}; }

  std::string bytes;
};

// The program's own path: UTF-8 names and value, the file in any encoding.
void CheckSettingsFile(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view value) {
  OneFile files(file);
  store::SettingsFile settings(files, "/app/設定.ini");
  // Read first, so that the read after the change meets the index of the
  // bytes before it.
  (void)settings.Read(std::string(section), std::string(key));
  if (!settings.Write(std::string(section), std::string(key), std::string(value)).ok) {
    PELORIN_FUZZ_CHECK(files.bytes == file);
    return;
  }
  const store::SettingsValue read = settings.Read(std::string(section), std::string(key));
  PELORIN_FUZZ_CHECK(read.readable && read.value == std::optional<std::string>(value));
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;
  std::string_view file = AsText(data, size);
  std::string_view header[3];
  for (std::string_view& field : header) {
    field = file.substr(0, file.find('\n'));
    file.remove_prefix(std::min(field.size() + 1, file.size()));
  }
  CheckProfileDocument(file, header[0], header[1], header[2]);
  CheckSettingsFile(file, header[0], header[1], header[2]);
  return 0;
}
