#pragma once
// 設定.ini: every access reads the file once; every change reads it, changes
// one value and writes it back atomically. UTF-8 in and out; code page 932 on
// disk. Nothing is cached.

#include <optional>
#include <string>

#include "platform/file_system.h"

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
};

}  // namespace pelorin::store
