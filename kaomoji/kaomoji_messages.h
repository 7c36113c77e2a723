#pragma once
// The texts of the kaomoji commands.

namespace pelorin::kaomoji {

inline constexpr const char* kAddPrompt = "追加する顔文字を入力してください";
inline constexpr const char* kAddCaption = "顔文字の追加";
inline constexpr const char* kRewritePrompt = "顔文字を編集してください";
inline constexpr const char* kRewriteCaption = "顔文字の編集";
inline constexpr const char* kDeleteCaption = "顔文字の削除";
// A line break would split the kaomoji into two entries at the next load.
inline constexpr const char* kLineBreakRefused = "顔文字に改行は入れられません";

}  // namespace pelorin::kaomoji
