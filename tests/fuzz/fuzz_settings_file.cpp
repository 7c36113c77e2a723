// The settings file's reader and writer. The input is three lines (section,
// key, value) and then any bytes as the file. Parse, set that value, write,
// parse again: the value reads back exactly and every other value stays as
// it was; removing it changes no other value either. The index of the bytes
// (store::ProfileIndex) agrees with the index of the parsed document written again. The same change
// through store::SettingsFile (UTF-8 names, the file in any encoding) reads
// back too.
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
#include "tests/fuzz/memory_file_system.h"

namespace pelorin::fuzz {
namespace {

using store::ProfileDocument;

constexpr std::size_t kMaxSections = 8;
constexpr std::size_t kMaxKeys = 16;

struct Candidates {
  std::vector<std::string> sections;
  std::vector<std::string> keys;
};

void AddUnique(std::vector<std::string>& names, std::string_view name, std::size_t limit) {
  if (names.size() >= limit) return;
  for (const std::string& known : names) {
    if (known == name) return;
  }
  names.emplace_back(name);
}

// Every section and key name the file may hold (a superset: a name that is
// not there reads as missing before and after alike).
Candidates CandidatesOf(std::string_view bytes) {
  Candidates found;
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == bytes.npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (std::size_t equals = line.find('='); equals != line.npos) {
      AddUnique(found.keys, line.substr(0, equals), kMaxKeys);
    }
    std::string_view trimmed = store::TrimBlanks(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      for (std::size_t close = trimmed.find(']'); close != trimmed.npos;
           close = trimmed.find(']', close + 1)) {
        AddUnique(found.sections, store::TrimBlanks(trimmed.substr(1, close - 1)), kMaxSections);
      }
    }
    start = end + 1;
  }
  return found;
}

using Values = std::vector<std::optional<std::string>>;

// A value of the document as the program reads it back: its written text, indexed.
std::optional<std::string> ValueIn(const store::ProfileIndex& index, std::string_view section,
                                   std::string_view key) {
  const std::optional<std::string_view> value = index.Get(section, key);
  return value ? std::optional<std::string>(*value) : std::nullopt;
}

Values ValuesOf(const ProfileDocument& document, const Candidates& names) {
  const store::ProfileIndex index(document.Serialize());
  Values values;
  for (const std::string& section : names.sections) {
    for (const std::string& key : names.keys) values.push_back(ValueIn(index, section, key));
  }
  return values;
}

// Every candidate except the changed key reads as before.
void CheckOthersUnchanged(const ProfileDocument& document, const Candidates& names,
                          const Values& before, std::string_view section, std::string_view key) {
  const store::ProfileIndex index(document.Serialize());
  std::size_t i = 0;
  for (const std::string& s : names.sections) {
    for (const std::string& k : names.keys) {
      const bool changed = store::EqualsIgnoringAsciiCase(s, section) &&
                           store::EqualsIgnoringAsciiCase(k, key);
      if (!changed) PELORIN_FUZZ_CHECK(ValueIn(index, s, k) == before[i]);
      ++i;
    }
  }
}

// The index of the file as it stands finds what the parsed and rewritten document holds.
void CheckIndex(std::string_view file, const Candidates& names, const Values& parsed) {
  const store::ProfileIndex index{std::string(file)};
  std::size_t i = 0;
  for (const std::string& s : names.sections) {
    for (const std::string& k : names.keys) {
      const std::optional<std::string_view> found = index.Get(s, k);
      PELORIN_FUZZ_CHECK(found.has_value() == parsed[i].has_value());
      PELORIN_FUZZ_CHECK(!found || *found == *parsed[i]);
      ++i;
    }
  }
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
  AddUnique(names.sections, section, kMaxSections + 1);
  const Values before = ValuesOf(document, names);
  CheckIndex(file, names, before);

  document.Set(section, key, value);
  ProfileDocument written = ProfileDocument::Parse(document.Serialize());
  PELORIN_FUZZ_CHECK(ValueIn(store::ProfileIndex(written.Serialize()), section, key) ==
                     std::optional<std::string>(value));
  CheckOthersUnchanged(written, names, before, section, key);
  CheckIndex(written.Serialize(), names, ValuesOf(written, names));

  written.Set(section, key, std::nullopt);
  const ProfileDocument removed = ProfileDocument::Parse(written.Serialize());
  CheckOthersUnchanged(removed, names, before, section, key);
}

// The program's own path: UTF-8 names and value, code page 932 in the file.
void CheckSettingsFile(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view value) {
  MemoryFileSystem files;
  const std::string path = "/app/設定.ini";
  files.Files()[path] = std::string(file);
  store::SettingsFile settings(files, path);
  // Read first, so that the read after the change meets the index of the
  // bytes before it.
  (void)settings.Read(std::string(section), std::string(key));
  const store::SettingsWrite write =
      settings.Write(std::string(section), std::string(key), std::string(value));
  if (!write.ok) {
    PELORIN_FUZZ_CHECK(files.Files()[path] == file);
    return;
  }
  const store::SettingsValue read = settings.Read(std::string(section), std::string(key));
  PELORIN_FUZZ_CHECK(read.readable);
  PELORIN_FUZZ_CHECK(read.value == std::optional<std::string>(value));
}

}  // namespace
}  // namespace pelorin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pelorin::fuzz;
  const std::string_view text = AsText(data, size);
  std::string_view header[3];
  std::size_t start = 0;
  for (std::string_view& field : header) {
    std::size_t end = text.find('\n', start);
    if (end == text.npos) end = text.size();
    field = text.substr(start, end - start);
    start = end < text.size() ? end + 1 : end;
  }
  const std::string_view file = text.substr(start);
  CheckProfileDocument(file, header[0], header[1], header[2]);
  CheckSettingsFile(file, header[0], header[1], header[2]);
  return 0;
}
