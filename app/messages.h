#pragma once
// Every text the program shows in a message box, in one place.

#include <string>

namespace pelorin::app::messages {

// Flags of MsgBox: buttons and icon.
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kCritical = 16;
inline constexpr int kWarning = 48;

inline constexpr const char* kSecondCopy = "２重に起動しないで下さい";
inline constexpr const char* kDuplicateCategory = "種類が重複しています";
inline constexpr const char* kAddCategoryFirst = "種類から追加して下さい";
inline constexpr const char* kWarningCaption = "警告";
inline constexpr const char* kDeleteQuestion = "を削除していいですか？";

// The settings file exists but cannot be read: the program ends untouched.
inline constexpr const char* kSettingsUnreadable =
    "設定.iniを読み込めないため終了します。\r\n"
    "他のプログラムが使っていないか、読み取りが許可されているかを確かめて下さい";
// The settings file's bytes are valid in none of the encodings it may be in:
// the program ends untouched.
inline constexpr const char* kSettingsGarbled =
    "設定.iniの文字コードが分からないため終了します。\r\n"
    "Shift_JIS（ANSI）、UTF-8、UTF-16（BOM付き）のいずれかで保存し直して下さい";
// A change of the settings file could not be written.
inline constexpr const char* kSettingsNotWritten =
    "設定.iniに書き込めませんでした。\r\n"
    "変更は画面の上にだけあり、まだ保存されていません";
// The settings file could not be written at exit, just before the window
// closes: what the next start will not have.
inline constexpr const char* kSettingsNotWrittenAtExit =
    "設定.iniに書き込めませんでした。\r\n"
    "種類の一覧と並び順、選んでいた種類、ウィンドウの位置と大きさ、"
    "メニューバーと最前面の設定は保存されずに終了します";
// The settings file could not be read while a category was selected.
inline constexpr const char* kSettingsNotReadNow =
    "設定.iniを読み込めないため、種類を切り替えられません";

// The call-up key and its dialog.
inline constexpr const char* kCallUpKeyCaptionPrefix = "呼び出しキー: ";
inline constexpr const char* kCallUpKeyDialogCaption = "呼び出しキー";
inline constexpr const char* kCallUpKeyDialogPrompt = "Pelorinを呼び出すキーを押して下さい";
inline constexpr const char* kCallUpKeyNoneButton = "なし";
inline constexpr const char* kCallUpKeyTaken = "このキーは他のプログラムが使っています";
std::string CallUpKeyTakenAtStart(const std::string& storedKey);

// The search window.
inline constexpr const char* kSearchCaption = "顔文字の検索";
std::string SearchCount(int results);
std::string SearchUnreadableFile(const std::string& file);

std::string KaomojiFileUnreadable(const std::string& category, const std::string& file);
std::string KaomojiFileDamaged(const std::string& category, const std::string& file);
std::string KaomojiNotSaved(const std::string& category, const std::string& file);
std::string KaomojiNotSavedQuit(const std::string& category, const std::string& file);

}  // namespace pelorin::app::messages
