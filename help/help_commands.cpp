// Help document, support page and version box.
#include <string>

#include "app/form1.h"
#include "help/help_info.h"

namespace pelorin::app {

void Form1::OpenHelp() {
  // Looked up in the application folder, not in the process's current folder.
  platform_.ShellOpen(platform_.AppFolder() + "/" + help::kHelpFileName);
}

void Form1::OpenSupportPage() { platform_.ShellOpen(help::kSupportAddress); }

void Form1::ShowVersion() {
  const std::string crlf = "\r\n";
  const std::string version = std::to_string(PELORIN_VERSION_MAJOR) + "." +
                              std::to_string(PELORIN_VERSION_MINOR) + "." +
                              std::to_string(PELORIN_VERSION_PATCH);
  const std::string text = std::string(kAppTitle) + "  Ver " + version + crlf + crlf +
                           help::kRightsNotice + crlf + crlf + "サポートページ\u3000\u3000" +
                           help::kSupportAddress + "   " + crlf + crlf + "E-Mail" +
                           std::string(13, ' ') + help::kMailAddress + "   ";
  Message(text, 0, help::kVersionCaption);
}

}  // namespace pelorin::app
