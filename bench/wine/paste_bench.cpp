// The paste of Pelorin-timing.exe into a window of this program: Enter on a
// kaomoji. Timed inside Pelorin from the target seen as the foreground
// window (and, as an upper bound, from the start of the activation) to
// SendInput's return with Ctrl+V; and here, from the target's WM_ACTIVATE to
// the V arriving in its edit control. Every paste must deliver the exact
// kaomoji.
#include <cstdio>
#include <vector>

#include "bench/wine/measurements.h"
#include "bench/wine/pelorin_folder.h"
#include "bench/wine/wine_bench.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace pelorin::bench::wine {
namespace {

constexpr size_t kKaomoji = 5;
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kPasteTimeoutMs = 5000;
constexpr int kKaomojiList = 2;
constexpr wchar_t kTargetClass[] = L"PelorinBenchTarget";

// A window with an edit control, noting when it is activated and when the V
// of Ctrl+V reaches the edit.
class Target {
 public:
  Target();
  ~Target() {
    if (window_ != nullptr) ::DestroyWindow(window_);
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  HWND Window() const { return window_; }
  std::wstring Text() const;
  void Clear() {
    ::SetWindowTextW(edit_, L"");
    activatedAt_ = vAt_ = 0;
  }
  LONGLONG ActivatedAt() const { return activatedAt_; }
  LONGLONG VAt() const { return vAt_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  LONGLONG activatedAt_ = 0;
  LONGLONG vAt_ = 0;
};

Target::Target() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &Target::WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kTargetClass;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&windowClass);
  window_ = ::CreateWindowExW(0, kTargetClass, L"貼り付け先", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400,
                              100, 400, 200, nullptr, nullptr, windowClass.hInstance, this);
  edit_ = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 380, 150,
                            window_, nullptr, windowClass.hInstance, nullptr);
  ::SetWindowSubclass(edit_, &Target::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

std::wstring Target::Text() const {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT CALLBACK Target::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Target*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    self->activatedAt_ = Ticks();
  }
  if (self != nullptr && message == WM_SETFOCUS && self->edit_ != nullptr) {
    ::SetFocus(self->edit_);  // typing goes to the edit, as in any editor
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Target::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  auto* self = reinterpret_cast<Target*>(data);
  if (message == WM_KEYDOWN && wParam == 'V' && self->vAt_ == 0) self->vAt_ = Ticks();
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

struct OnePaste {
  double fromForeground;
  double fromActivation;
  double received;
};

std::optional<OnePaste> PasteOnce(HWND pelorin, int index, const std::wstring& expected,
                                  Target& target, TimingLog& log) {
  target.Clear();
  POINT where{};
  if (!Activate(target.Window()) ||
      !ItemCenter(::GetDlgItem(pelorin, kKaomojiList), index, &where) || !Click(where) ||
      !WaitUntil([&] { return ::GetForegroundWindow() == pelorin; }, kPasteTimeoutMs)) {
    std::fprintf(stderr, "Pelorin's kaomoji %d could not be clicked\n", index);
    return std::nullopt;
  }
  Pause(200);
  target.Clear();
  (void)log.Take();
  if (!PressKey(VK_RETURN) ||
      !WaitUntil([&] { return target.Text() == expected; }, kPasteTimeoutMs)) {
    std::fprintf(stderr, "paste %d: the target holds \"%ls\"\n", index, target.Text().c_str());
    return std::nullopt;
  }
  // Pelorin logs its spans after SendInput: they may come a moment after the text.
  std::optional<Span> foreground;
  std::optional<Span> activation;
  (void)WaitUntil(
      [&] {
        for (const Span& span : log.Take()) {
          if (span.name == "foreground") foreground = span;
          if (span.name == "activation") activation = span;
        }
        return foreground && activation;
      },
      kPasteTimeoutMs);
  if (!foreground || !activation || target.ActivatedAt() == 0 || target.VAt() == 0) {
    std::fprintf(stderr, "paste %d: a moment is missing\n", index);
    return std::nullopt;
  }
  return OnePaste{TicksToMilliseconds(foreground->stop - foreground->start),
                  TicksToMilliseconds(activation->stop - activation->start),
                  TicksToMilliseconds(target.VAt() - target.ActivatedAt())};
}

}  // namespace

std::optional<PasteTimes> MeasurePaste(const std::wstring& timingExe, const std::string& corpusPath,
                                       int runs) {
  const std::string folder =
      platform::win32::Narrow(timingExe.substr(0, timingExe.find_last_of(L'\\')));
  const std::vector<std::string> kaomoji = CorpusKaomoji(corpusPath, kKaomoji);
  if (kaomoji.empty() || !WritePelorinFolder(folder, {{"顔", kaomoji}})) return std::nullopt;
  TimingLog log(platform::win32::Widen(folder) + L"\\timing.log");
  Target target;
  Program pelorin;
  HWND window = pelorin.Launch(timingExe, kStartTimeoutMs);
  if (window == nullptr || target.Window() == nullptr) return std::nullopt;
  Pause(500);

  std::vector<double> fromForeground;
  std::vector<double> fromActivation;
  std::vector<double> received;
  for (int run = 0; run <= runs; ++run) {
    const int index = run % static_cast<int>(kaomoji.size());
    const std::optional<OnePaste> paste =
        PasteOnce(window, index, platform::win32::Widen(kaomoji[index]), target, log);
    if (!paste) return std::nullopt;
    if (run == 0) continue;  // warming up
    fromForeground.push_back(paste->fromForeground);
    fromActivation.push_back(paste->fromActivation);
    received.push_back(paste->received);
  }
  return PasteTimes{Median(fromForeground), Median(fromActivation), Median(received)};
}

}  // namespace pelorin::bench::wine
