#pragma once
// 設定.ini: every access reads the file once; every change reads it, changes
// one value and writes it back atomically. UTF-8 in and out; code page 932 on
// disk. The file itself is never cached, so an edit made behind the
// program's back is seen by the next access; what is kept is the index of
// the bytes last read, used again only when a read finds those very bytes.
// Not for use from two threads at once.

#include <optional>
#include <string>

#include "platform/file_system.h"
#include "store/profile_index.h"

namespace pelorin::store {

inline constexpr const char* kSettingsFileName = "設定.ini";

struct [[nodiscard]] SettingsValue {
  bool readable = true;           // false: the file exists but cannot be read
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
  // True when the file is missing or can be read.
  bool Readable(std::string* error = nullptr) const;
  const std::string& Path() const { return path_; }

 private:
  platform::FileSystem& files_;
  std::string path_;
  // Rebuilt whenever the bytes read differ from its own (compared in full,
  // which costs far less than a scan).
  mutable ProfileIndex lastRead_;
};

}  // namespace pelorin::store
