#pragma once
// The program's support address, rights notice and e-mail address: the one
// place to change them.

namespace pelorin::help {

inline constexpr const char* kSupportAddress = "https://pelorin.example.org/";
inline constexpr const char* kRightsNotice = "Copyright (C) 2026 The Pelorin developers";
inline constexpr const char* kMailAddress = "support@pelorin.example.org";
inline constexpr const char* kHelpFileName = "Help.html";
inline constexpr const char* kVersionCaption = "バージョン情報";

}  // namespace pelorin::help
