// Check 11: the saved window state survives starts at another DPI. A laptop
// docked at 100 % and used alone at 200 % starts the program at 96 and at
// 192 dpi in turn; closing the window without touching it must write the
// same STATE again, however the rows snap at either DPI.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/checks.h"
#include "tests/e2e/fixture.h"

namespace pelorin::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr char kSettings[] =
    "[LIST]\r\nLIST=A,\r\n[DATA]\r\nSTATE=0,1500,1500,3000,4800,True,True\r\n";
constexpr char kState[] = "STATE=0,1500,1500,3000,4800,True,True";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

CheckResult Fail(std::string why) { return {false, std::move(why)}; }

// The prefix's DPI for programs started from now on (wine reads it when a
// program starts); the one it had is put back when the check ends.
class SystemDpi {
 public:
  SystemDpi() {
    DWORD size = sizeof(saved_);
    hadValue_ = ::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD,
                               nullptr, &saved_, &size) == ERROR_SUCCESS;
  }
  ~SystemDpi() {
    if (hadValue_) {
      Set(saved_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    }
  }
  SystemDpi(const SystemDpi&) = delete;
  SystemDpi& operator=(const SystemDpi&) = delete;

  static bool Set(DWORD dpi) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi,
                             sizeof(dpi)) == ERROR_SUCCESS;
  }

 private:
  DWORD saved_ = 96;
  bool hadValue_ = false;
};

std::string StateLine(const std::string& settings) {
  const size_t at = settings.find("STATE=");
  if (at == std::string::npos) return "(none)";
  return settings.substr(at, settings.find('\r', at) - at);
}

bool CloseRunningCopy(Context& context) {
  if (!context.pelorin || !context.pelorin->Running()) return true;
  ::PostMessageW(context.pelorin->Window(), WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  return context.pelorin->WaitForExit(10000, &exitCode);
}

}  // namespace

CheckResult CheckStateSurvivesDpiChanges(Context& context) {
  if (!CloseRunningCopy(context)) return Fail("the copy of the earlier checks did not end");
  const std::filesystem::path folder = std::filesystem::path(context.appFolder) / L"dpi";
  std::error_code error;
  std::filesystem::create_directories(folder / L"data", error);
  if (!::CopyFileW(context.ExePath().c_str(), (folder / L"Pelorin.exe").c_str(), FALSE) ||
      !WriteBytes(SettingsPath(folder.wstring()), kSettings)) {
    return Fail("cannot prepare " + folder.string());
  }
  SystemDpi restore;
  std::string seen;
  for (const DWORD dpi : {192u, 96u, 192u, 96u}) {
    if (!SystemDpi::Set(dpi)) return Fail("cannot set LogPixels");
    PelorinApp pelorin((folder / L"Pelorin.exe").wstring());
    std::string why;
    if (!pelorin.Launch(&why)) return Fail(why);
    if (!pelorin.WaitForWindow(kStartTimeoutMs)) return Fail("no window at " + std::to_string(dpi));
    // GetDpiForWindow on another program's window answers this program's
    // DPI under wine: the size in pixels tells the DPI the program ran at.
    const RECT rect = pelorin.WindowRect();
    const LONG height = rect.bottom - rect.top;
    const LONG wanted = static_cast<LONG>(3000 * dpi / 1440);
    ::PostMessageW(pelorin.Window(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    if (!pelorin.WaitForExit(10000, &exitCode))
      return Fail("it did not end at " + std::to_string(dpi));
    std::string settings;
    ReadBytes(SettingsPath(folder.wstring()), &settings);
    seen.append(" ").append(std::to_string(dpi)).append(" dpi, ").append(std::to_string(height));
    seen.append(" px high: ").append(StateLine(settings)).append(";");
    // The rows may take up to one row less than asked (5 rows of 18 px at
    // 96 dpi: a fifth is more than one row at either DPI).
    if (height > wanted || height < wanted * 4 / 5) {
      return Fail("wine did not start it at " + std::to_string(dpi) + " dpi:" + seen);
    }
    if (StateLine(settings) != kState) return Fail("the saved state changed:" + seen);
  }
  std::printf("  %s\n", seen.c_str());
  return {};
}

}  // namespace pelorin::e2e
