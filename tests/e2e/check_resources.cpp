// Check 10: what the resources give the program: the version (1.0.4, product
// Pelorin), one 32 x 32 icon of 256 colours, and the manifest's per-monitor
// DPI awareness on the running window.

#include <windows.h>

#include <string>

#include "tests/e2e/checks.h"
#include "tests/e2e/desktop.h"

namespace pelorin::e2e {
namespace {

CheckResult Fail(std::string why) { return {false, std::move(why)}; }

std::wstring VersionString(const std::wstring& path, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::string block(size, '\0');
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return {};
  }
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colourCount;
  BYTE reserved;
  WORD planes;
  WORD bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

// The icon group 1 of the exe, as the shell reads it: "" when it holds
// exactly one 32 x 32 image of 8 bits a pixel, else what it holds.
std::string IconProblem(const std::wstring& path) {
  HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return "the exe cannot be read";
  std::string problem = "no icon group 1";
  if (HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14))) {
    const auto* group = static_cast<const WORD*>(::LockResource(::LoadResource(module, found)));
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(group + 3);
    if (group == nullptr || group[2] != 1) {
      problem = "the icon group does not hold exactly one image";
    } else if (entry->width != 32 || entry->height != 32 || entry->bitCount != 8) {
      problem = "the icon is " + std::to_string(entry->width) + "x" +
                std::to_string(entry->height) + " at " + std::to_string(entry->bitCount) + " bits";
    } else {
      problem.clear();
    }
  }
  ::FreeLibrary(module);
  return problem;
}

}  // namespace

CheckResult CheckResources(Context& context) {
  const std::wstring fileVersion = VersionString(context.ExePath(), L"FileVersion");
  if (fileVersion != L"1.0.4.0") return Fail("FileVersion " + Show(fileVersion));
  const std::wstring product = VersionString(context.ExePath(), L"ProductName");
  if (product != L"Pelorin") return Fail("ProductName " + Show(product));
  HWND window = context.pelorin->Window();
  if (!context.pelorin->Running() || window == nullptr) return Fail("Pelorin is not running");
  if (const std::string problem = IconProblem(context.ExePath()); !problem.empty()) {
    return Fail(problem);
  }
  const DPI_AWARENESS awareness =
      ::GetAwarenessFromDpiAwarenessContext(::GetWindowDpiAwarenessContext(window));
  if (awareness != DPI_AWARENESS_PER_MONITOR_AWARE) {
    return Fail("the window is not per-monitor DPI aware (" + std::to_string(awareness) + ")");
  }
  return {};
}

}  // namespace pelorin::e2e
