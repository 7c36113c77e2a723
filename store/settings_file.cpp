#include "store/settings_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/text_codec.h"
#include "store/profile_document.h"

namespace pelorin::store {
namespace {

SettingsWrite WriteFailed(std::string why) { return SettingsWrite{false, std::move(why)}; }

}  // namespace

SettingsFile::SettingsFile(platform::FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

SettingsValue SettingsFile::Read(const std::string& section, const std::string& key) const {
  platform::ReadResult file = files_.ReadFile(path_);
  if (file.status == platform::ReadStatus::Unreadable) {
    return SettingsValue{false, std::nullopt, std::move(file.error)};
  }
  std::optional<std::string> sectionBytes = platform::EncodeCp932(section);
  std::optional<std::string> keyBytes = platform::EncodeCp932(key);
  // A name the file cannot hold is never in it.
  if (file.status == platform::ReadStatus::Missing || !sectionBytes || !keyBytes) {
    return SettingsValue{};
  }
  if (file.bytes != lastRead_.Bytes()) lastRead_ = ProfileIndex(std::move(file.bytes));
  std::optional<std::string_view> found = lastRead_.Get(*sectionBytes, *keyBytes);
  if (!found) return SettingsValue{};
  const std::string value(*found);
  std::optional<std::string> text = platform::DecodeCp932(value);
  return SettingsValue{true, text ? std::move(text) : platform::DecodeCp932Lossy(value), {}};
}

SettingsWrite SettingsFile::Write(const std::string& section, const std::string& key,
                                  const std::optional<std::string>& value) {
  std::optional<std::string> sectionBytes = platform::EncodeCp932(section);
  std::optional<std::string> keyBytes = platform::EncodeCp932(key);
  std::optional<std::string> valueBytes;
  if (value) valueBytes = platform::EncodeCp932(*value);
  if (!sectionBytes || !keyBytes || (value && !valueBytes)) {
    return WriteFailed("not representable in code page 932: [" + section + "] " + key);
  }
  if (!IsStorableSection(*sectionBytes) || !IsStorableKey(*keyBytes) ||
      (valueBytes && !IsStorableValue(*valueBytes))) {
    return WriteFailed("cannot be stored in a profile file: [" + section + "] " + key);
  }

  platform::ReadResult file = files_.ReadFile(path_);
  if (file.status == platform::ReadStatus::Unreadable) {
    return WriteFailed("not written because it cannot be read: " + file.error);
  }
  ProfileDocument document = ProfileDocument::Parse(file.bytes);
  document.Set(*sectionBytes, *keyBytes, valueBytes);
  std::string bytes = document.Serialize();
  // Removing what is not there changes nothing, and creates no file.
  bool exists = file.status == platform::ReadStatus::Ok;
  if ((exists && bytes == file.bytes) || (!exists && bytes.empty())) return SettingsWrite{};

  platform::FileResult written = files_.WriteFileAtomic(path_, bytes);
  if (!written) return WriteFailed(std::move(written.error));
  return SettingsWrite{};
}

bool SettingsFile::Readable(std::string* error) const {
  platform::ReadResult file = files_.ReadFile(path_);
  if (file.status != platform::ReadStatus::Unreadable) return true;
  if (error) *error = std::move(file.error);
  return false;
}

}  // namespace pelorin::store
