#include "app/messages.h"

namespace pelorin::app::messages {

std::string CallUpKeyTakenAtStart(const std::string& storedKey) {
  return "呼び出しキー（" + storedKey + "）は他のプログラムが使っているため使えません";
}

std::string SearchCount(int results) { return std::to_string(results) + "件"; }

std::string SearchUnreadableFile(const std::string& file) {
  return "読めないファイルがあります: " + file;
}

std::string KaomojiFileUnreadable(const std::string& category, const std::string& file) {
  return "「" + category + "」の顔文字ファイル（data\\" + file +
         "）を読み込めません。\r\n他のプログラムが使っていないかを確かめて下さい";
}

std::string KaomojiFileDamaged(const std::string& category, const std::string& file) {
  return "「" + category + "」の顔文字ファイル（data\\" + file +
         "）に読めない文字があります。\r\n読めない文字は�で表示しています。"
         "顔文字を変更しない限り、このファイルは上書きしません";
}

std::string KaomojiNotSaved(const std::string& category, const std::string& file) {
  return "「" + category + "」の顔文字を保存できません（data\\" + file +
         "）。\r\n顔文字を失わないよう、この種類を表示したままにします";
}

std::string KaomojiNotSavedQuit(const std::string& category, const std::string& file) {
  return "「" + category + "」の顔文字を保存できません（data\\" + file +
         "）。\r\nこのまま終了すると変更した顔文字は失われます。終了しますか？";
}

}  // namespace pelorin::app::messages
