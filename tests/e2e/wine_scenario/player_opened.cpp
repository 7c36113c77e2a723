// What the program asked the shell to open, as the prefix's stand-in for the
// browser and the help viewer (tests/e2e/open_recorder/open_recorder.cpp) wrote it down.
#include <fstream>
#include <sstream>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/player.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::wine_scenario {

namespace {
// The shell starts the stand-in as a process of its own.
constexpr DWORD kOpenTimeoutMs = 5000;
}  // namespace

std::filesystem::path Player::OpenedLogPath() const { return folder_.Reachable() / L"opened.txt"; }

void Player::ReadOpened() {
  std::ifstream in(OpenedLogPath(), std::ios::binary);
  if (!in) return;
  in.seekg(static_cast<std::streamoff>(openedRead_));
  std::string line;
  while (std::getline(in, line) && !in.eof()) {
    openedRead_ += line.size() + 1;
    for (char& c : line) c = c == '\\' ? '/' : c;
    opened_.push_back(line);
  }
}

StepResult Player::ExpectOpened(const scenario::Command& command) {
  const std::string appFolder = Utf8(folder_.Path().generic_wstring());
  StepResult result;
  e2e::WaitUntil(
      [&] {
        ReadOpened();
        result = scenario::CheckOpened(command, appFolder, opened_);
        return !result;
      },
      kOpenTimeoutMs);
  return result;
}

}  // namespace pelorin::wine_scenario
