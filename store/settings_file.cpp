#include "store/settings_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "store/profile_document.h"
#include "store/settings_encoding.h"
#include "store/unicode_text.h"

namespace pelorin::store {
namespace {

SettingsWrite WriteFailed(std::string why) { return SettingsWrite{false, std::move(why)}; }

constexpr const char* kGarbled = "the bytes are valid in none of the encodings it may be in";

}  // namespace

SettingsFile::SettingsFile(platform::FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

SettingsValue SettingsFile::Read(const std::string& section, const std::string& key) const {
  platform::ReadResult file = files_.ReadFile(path_);
  if (file.status == platform::ReadStatus::Unreadable) {
    return SettingsValue{false, false, std::nullopt, std::move(file.error)};
  }
  if (file.status == platform::ReadStatus::Missing) return SettingsValue{};
  if (file.bytes != lastBytes_) {
    std::optional<SettingsText> decoded = DecodeSettingsText(file.bytes);
    if (!decoded) return SettingsValue{false, true, std::nullopt, path_ + ": " + kGarbled};
    lastRead_ = ProfileIndex(std::move(decoded->text));
    lastBytes_ = std::move(file.bytes);
  }
  std::optional<std::string_view> found = lastRead_.Get(section, key);
  if (!found) return SettingsValue{};
  return SettingsValue{true, false, std::string(*found), {}};
}

SettingsWrite SettingsFile::Write(const std::string& section, const std::string& key,
                                  const std::optional<std::string>& value) {
  bool ignored = false;
  if (!IsValidUtf8(section, &ignored) || !IsValidUtf8(key, &ignored) ||
      (value && !IsValidUtf8(*value, &ignored))) {
    return WriteFailed("not a valid text: [" + section + "] " + key);
  }
  if (!IsStorableSection(section) || !IsStorableKey(key) || (value && !IsStorableValue(*value))) {
    return WriteFailed("cannot be stored in a profile file: [" + section + "] " + key);
  }

  platform::ReadResult file = files_.ReadFile(path_);
  if (file.status == platform::ReadStatus::Unreadable) {
    return WriteFailed("not written because it cannot be read: " + file.error);
  }
  const bool exists = file.status == platform::ReadStatus::Ok;
  std::optional<SettingsText> decoded = SettingsText{};
  if (exists) decoded = DecodeSettingsText(file.bytes);
  // Writing over a file that cannot be decoded would lose what it holds.
  if (!decoded) return WriteFailed("not written because " + path_ + ": " + kGarbled);
  ProfileDocument document = ProfileDocument::Parse(decoded->text);
  document.Set(section, key, value);
  const std::string text = document.Serialize();
  // Removing what is not there changes nothing, and creates no file.
  if (!exists && text.empty()) return SettingsWrite{};
  const std::string bytes = EncodeSettingsText(text, decoded->encoding);
  // The same bytes again: no write, so no new modification time.
  if (exists && bytes == file.bytes) return SettingsWrite{};

  platform::FileResult written = files_.WriteFileAtomic(path_, bytes);
  if (!written) return WriteFailed(std::move(written.error));
  return SettingsWrite{};
}

}  // namespace pelorin::store
