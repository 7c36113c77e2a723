#include "tests/e2e/wine_scenario/release_checks.h"

#include <windows.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/text_codec.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/app_folder.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/saved_state.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

namespace fs = std::filesystem;
using Problem = std::optional<std::string>;  // nullopt: the check passed

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 5000;
constexpr char kState[] = "0,1500,1500,2700,4800,True,True";  // 顔 selected, always on top
constexpr char kPasted[] = "(・ω・)";
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

std::string Cp932(const std::string& utf8) { return platform::EncodeCp932(utf8).value_or("?"); }

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Started from another folder than its own; shown and in front.
Problem Start(Program& program, const AppFolder& folder) {
  std::string why;
  if (!program.Launch(folder.Exe().wstring(), folder.Reachable().wstring(), &why)) return why;
  if (!e2e::WaitUntil([&] { return program.WindowShown(); }, kStartTimeoutMs)) {
    return "Pelorin.exe showed no window";
  }
  e2e::WaitUntil([&] { return ::GetForegroundWindow() == program.Window(); }, kStepTimeoutMs);
  return std::nullopt;
}

Problem Close(Program& program) {
  ::PostMessageW(program.Window(), WM_CLOSE, 0, 0);
  if (!program.WaitForExit(kStartTimeoutMs)) return "Pelorin.exe did not end after WM_CLOSE";
  return std::nullopt;
}

std::string VersionText(const fs::path& exe, const std::wstring& name) {
  DWORD ignored = 0;
  std::string block(::GetFileVersionInfoSizeW(exe.c_str(), &ignored), '\0');
  wchar_t* value = nullptr;
  UINT length = 0;
  if (block.empty() ||
      !::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
      !::VerQueryValueW(block.data(), (L"\\StringFileInfo\\041104B0\\" + name).c_str(),
                        reinterpret_cast<void**>(&value), &length)) {
    return "(none)";
  }
  return Utf8(std::wstring_view(value, length > 0 ? length - 1 : 0));
}

std::string ResourceBytes(HMODULE module, LPCWSTR type) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), type);
  const void* bytes = found != nullptr ? ::LockResource(::LoadResource(module, found)) : nullptr;
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), ::SizeofResource(module, found));
}

// Icon group 1 as the shell reads it: one image, 32 x 32, 8 bits a pixel.
// The manifest as Windows reads it at the start: per-monitor v2 first. (Wine
// makes every window per-monitor aware whatever the manifest says, so the
// running window would tell nothing.)
Problem IconOrManifestProblem(const fs::path& exe) {
  HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return "the exe cannot be loaded as data";
  // GRPICONDIR: three WORDs, then per image width, height, colours,
  // reserved (BYTEs), planes, bits a pixel (WORDs), ...
  const std::string group = ResourceBytes(module, RT_GROUP_ICON);
  const std::string manifest = ResourceBytes(module, RT_MANIFEST);
  ::FreeLibrary(module);
  auto byte = [&](size_t at) {
    return at < group.size() ? static_cast<unsigned char>(group[at]) : 0;
  };
  const int count = byte(4) | byte(5) << 8;
  const int bits = byte(12) | byte(13) << 8;
  if (count != 1 || byte(6) != 32 || byte(7) != 32 || bits != 8) {
    return "icon group 1 holds " + std::to_string(count) + " images, the first " +
           std::to_string(byte(6)) + "x" + std::to_string(byte(7)) + " at " + std::to_string(bits) +
           " bits";
  }
  const size_t element = manifest.find("<dpiAwareness");
  const size_t value = manifest.find('>', element) + 1;
  if (element == std::string::npos ||
      manifest.compare(value, sizeof "PerMonitorV2" - 1, "PerMonitorV2") != 0) {
    return "the manifest does not declare per-monitor (v2) DPI awareness";
  }
  return std::nullopt;
}

Problem CheckResources(const fs::path& exe) {
  const std::string version = std::to_string(PELORIN_VERSION_MAJOR) + "." +
                              std::to_string(PELORIN_VERSION_MINOR) + "." +
                              std::to_string(PELORIN_VERSION_PATCH) + ".0";
  for (const auto& [name, wanted] :
       {std::pair{L"FileVersion", version}, {L"ProductName", "Pelorin"}}) {
    const std::string value = VersionText(exe, name);
    if (value != wanted) return Utf8(name) + " " + Quoted(value);
  }
  return IconOrManifestProblem(exe);
}

// Notepad is started after Pelorin, which stays above it, always on top.
Problem CheckPasteIntoNotepad(Program& pelorin) {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  Program notepad;
  std::string why;
  if (!notepad.Launch(std::wstring(system) + L"\\notepad.exe", system, &why)) return why;
  HWND window = nullptr;
  HWND edit = nullptr;
  if (!e2e::WaitUntil(
          [&] {
            window = ::FindWindowW(L"Notepad", nullptr);
            edit = window != nullptr ? ::FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
            return edit != nullptr && ::IsWindowVisible(window);
          },
          kStartTimeoutMs)) {
    return "notepad.exe showed no window with an edit control";
  }
  RECT entry{};
  if (!e2e::Activate(window) || !pelorin.ItemRect(scenario::ListName::List2, 1, &entry) ||
      !e2e::Click(e2e::Center(entry), e2e::Button::LeftTwice)) {
    return "notepad could not be activated and the entry double-clicked";
  }
  if (!e2e::WaitUntil([&] { return Utf8(e2e::WindowText(edit)) == kPasted; }, kStepTimeoutMs)) {
    return "notepad holds " + Quoted(Utf8(e2e::WindowText(edit)));
  }
  return std::nullopt;
}

Problem CheckSettingsReadByWindows(const AppFolder& folder) {
  const std::string path = Cp932(Utf8((folder.Path() / L"設定.ini").wstring()));
  auto read = [&](const std::string& section, const std::string& key) {
    char value[1024] = {};
    ::GetPrivateProfileStringA(Cp932(section).c_str(), Cp932(key).c_str(), "(missing)", value,
                               sizeof value, path.c_str());
    return platform::DecodeCp932Lossy(value);
  };
  const std::string list = read("LIST", "LIST");
  const std::string file = read("FILE", "顔");
  const std::string state = read("DATA", "STATE");
  if (list == "顔," && file == "顔.txt" && SameSavedState(kState, state, ::GetDpiForSystem())) {
    return std::nullopt;
  }
  return "read back in code page " + std::to_string(::GetACP()) + ": LIST=" + Quoted(list) +
         ", 顔=" + Quoted(file) + ", STATE=" + Quoted(state);
}

// The prefix's DPI for the programs started from now on; the one it had
// comes back when this goes.
struct SystemDpi {
  static bool Set(DWORD dpi) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi,
                             sizeof(dpi)) == ERROR_SUCCESS;
  }
  ~SystemDpi() {
    if (!had || !Set(saved)) ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
  }
  DWORD saved = 96;
  DWORD size = sizeof(saved);
  const bool had = ::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD,
                                  nullptr, &saved, &size) == ERROR_SUCCESS;
};

// A laptop docked at 100 % and used alone at 200 % starts the program at 96
// and 192 dpi in turn: a window closed untouched writes the same STATE again,
// however its rows snap at either DPI.
Problem CheckStateAcrossDpi(const fs::path& base, const fs::path& exe) {
  constexpr char kTallState[] = "STATE=0,1500,1500,3000,4800,True,True";
  const AppFolder folder(base, 2, exe);
  const fs::path settings = folder.Path() / L"設定.ini";
  WriteBytes(settings, "[LIST]\r\nLIST=A,\r\n[DATA]\r\n" + std::string(kTallState) + "\r\n");
  const SystemDpi restore;
  std::ostringstream seen;
  for (const DWORD dpi : {192u, 96u, 192u, 96u}) {
    if (!SystemDpi::Set(dpi)) return "LogPixels cannot be set";
    Program pelorin;
    if (Problem problem = Start(pelorin, folder)) return *problem + " at " + std::to_string(dpi);
    // GetDpiForWindow on another program's window answers this program's
    // DPI under wine: the height in pixels tells the DPI it ran at.
    RECT rect{};
    ::GetWindowRect(pelorin.Window(), &rect);
    const LONG height = rect.bottom - rect.top;
    const auto wanted = static_cast<LONG>(3000 * dpi / 1440);
    if (Problem problem = Close(pelorin)) return problem;
    std::ostringstream file;
    file << std::ifstream(settings, std::ios::binary).rdbuf();
    const std::string saved = file.str();
    const size_t at = saved.find("STATE=");
    const std::string state =
        at == std::string::npos ? "(none)" : saved.substr(at, saved.find('\r', at) - at);
    seen << ' ' << dpi << " dpi, " << height << " px high: " << state;
    // The rows may take up to one row less than asked, a fifth at most.
    if (height > wanted || height < wanted * 4 / 5) {
      return "wine did not start it at " + std::to_string(dpi) + " dpi:" + seen.str();
    }
    if (state != kTallState) return "the saved state changed:" + seen.str();
  }
  return std::nullopt;
}

}  // namespace

int ProbeAnswers(const fs::path& exe, const fs::path& workFolder, const ProbeClient& probe,
                 std::ostream& out) {
  const AppFolder folder(workFolder / L"probe check", 1, exe);
  Program program;
  const Problem problem = Start(program, folder);
  const bool hello = probe.Ask(program.Window(), probe::Question::Hello) == probe::kHelloAnswer;
  out << (problem ? *problem : hello ? "probe" : "no probe") << std::endl;
  return problem ? 1 : 0;
}

int RunReleaseChecks(const fs::path& exe, const fs::path& workFolder, std::ostream& out) {
  int failed = 0;
  auto report = [&](const char* name, const Problem& problem) {
    failed += problem ? 1 : 0;
    out << (problem ? "FAIL " : "PASS ") << name << (problem ? ": " + *problem : "") << std::endl;
  };
  const fs::path base = workFolder / L"release checks";
  {
    report("the exe carries its version, its icon and per-monitor DPI awareness",
           CheckResources(exe));
    const AppFolder folder(base, 1, exe);
    WriteBytes(folder.Path() / L"設定.ini",
               Cp932("[LIST]\r\nLIST=顔,\r\n[FILE]\r\n顔=顔.txt\r\n[DATA]\r\nSTATE=" +
                     std::string(kState) + "\r\n"));
    WriteBytes(folder.Path() / L"data" / L"顔.txt", Cp932("(^_^)\r\n" + std::string(kPasted)));
    Program pelorin;
    const Problem started = Start(pelorin, folder);
    report("a double click pastes into notepad.exe",
           started ? started : CheckPasteIntoNotepad(pelorin));
    const Problem closed = started ? started : Close(pelorin);
    report("the settings file it saved reads back through GetPrivateProfileStringA",
           closed ? closed : CheckSettingsReadByWindows(folder));
  }
  report("a window closed untouched at 192 and 96 dpi in turn saves the same STATE",
         CheckStateAcrossDpi(base, exe));
  return failed == 0 ? 0 : 1;
}

}  // namespace pelorin::wine_scenario
