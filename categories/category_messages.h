#pragma once
// The messages of the category commands.

#include <string>

namespace pelorin::categories {

inline constexpr const char* kAddPrompt = "追加する種類を入力してください";
inline constexpr const char* kAddCaption = "種類のの追加";
inline constexpr const char* kRenamePrompt = "種類を編集してください";
inline constexpr const char* kRenameCaption = "種類の編集";
inline constexpr const char* kDeleteCaption = "種類の削除";

inline constexpr const char* kNameBadCharacter =
    "種類に次の文字は使えません\r\n, \\ / : * ? \" < > | と制御文字";
inline constexpr const char* kNameBadForSettings =
    "種類を [ や ; で始めたり、種類に = を入れたりはできません";
inline constexpr const char* kNameReserved = "この名前はWindowsが使うため種類にできません";
inline constexpr const char* kNameNotCp932 =
    "種類にShift_JISで保存できない文字が入っています";
inline constexpr const char* kNameTooLong = "種類が長すぎます。\r\nもっと短い名前にしてください";
inline constexpr const char* kNameDiffersOnlyInCase =
    "種類が重複しています（大文字と小文字は区別されません）";

inline std::string FileAlreadyThere(const std::string& file) {
  return "dataフォルダーに同じ名前のファイル（" + file + "）があるため、この名前にはできません";
}
inline std::string FileNotCreated(const std::string& file) {
  return "顔文字ファイル（data\\" + file + "）を作れないため、種類を追加できません";
}

}  // namespace pelorin::categories
