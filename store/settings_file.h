#pragma once
// 設定.ini: every access reads the file once; every change reads it, changes
// one value and writes it back atomically, and only when its bytes change.
// UTF-8 in and out; on disk code page 932, or UTF-8 or UTF-16 as an editor
// saved it (store/settings_encoding.h): the whole file is written back in
// one encoding. The file itself is never cached, so an edit made behind the
// program's back is seen by the next access; what is kept is the index of
// the text last read, used again only when a read finds those very bytes.
// Not for use from two threads at once.

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "store/settings_encoding.h"
#include "store/profile_index.h"

namespace pelorin::store {

inline constexpr const char* kSettingsFileName = "設定.ini";

struct [[nodiscard]] SettingsValue {
  // false: the file exists but cannot be read, or its bytes are valid in none
  // of the encodings it may be in (then `garbled` too).
  bool readable = true;
  bool garbled = false;
  std::optional<std::string> value;  // nullopt: no such file, section or key
  std::string error;
};

struct [[nodiscard]] SettingsWrite {
  bool ok = true;
  std::string error;
};

class SettingsFile {
 public:
  SettingsFile(platform::FileSystem& files, std::string path);

  SettingsValue Read(const std::string& section, const std::string& key) const;
  // value nullopt removes the key.
  SettingsWrite Write(const std::string& section, const std::string& key,
                      const std::optional<std::string>& value);
  const std::string& Path() const { return path_; }

 private:
  platform::FileSystem& files_;
  std::string path_;
  // The bytes last read and the index of their text, rebuilt whenever the
  // bytes read differ (compared in full, which costs far less than a scan).
  mutable std::string lastBytes_;
  mutable ProfileIndex lastRead_;
};

}  // namespace pelorin::store
