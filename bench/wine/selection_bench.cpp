// Category selection in Pelorin-timing.exe: a real click on the category
// list, timed inside the program from the button's release to the end of
// its handling (the benchmark build's "click" span), with the kaomoji list
// filled when it ends: its count and its last entry are checked after every
// click.
#include <cstdio>
#include <vector>

#include "bench/wine/measurements.h"
#include "bench/wine/pelorin_folder.h"
#include "bench/wine/wine_bench.h"
#include "platform/win32/wide.h"

namespace pelorin::bench::wine {
namespace {

constexpr size_t kLarge = 10'000;
constexpr size_t kSmall = 10;
constexpr int kLargeIndex = 1;  // in the category list
constexpr int kSmallIndex = 0;  // selected at start
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kClickTimeoutMs = 10000;
// Apart from each other, two clicks are never a double click.
constexpr DWORD kBetweenClicksMs = 600;

constexpr int kKaomojiList = 2;
constexpr int kCategoryList = 3;

// Clicks the category holding `entries`; the handling's span, or nothing.
std::optional<double> ClickCategory(HWND window, int index, const std::vector<std::string>& entries,
                                    TimingLog& log) {
  HWND categoryList = ::GetDlgItem(window, kCategoryList);
  HWND kaomojiList = ::GetDlgItem(window, kKaomojiList);
  POINT where{};
  (void)log.Take();
  if (!Activate(window) || !ItemCenter(categoryList, index, &where) || !Click(where)) {
    std::fprintf(stderr, "the click on category %d was not sent\n", index);
    return std::nullopt;
  }
  const std::optional<Span> span = log.WaitFor("click", kClickTimeoutMs);
  const LRESULT count = Ask(kaomojiList, LB_GETCOUNT);
  const bool filled = count == static_cast<LRESULT>(entries.size()) &&
                      e2e::ListBoxText(kaomojiList, static_cast<int>(count) - 1) ==
                          platform::win32::Widen(entries.back());
  if (!span || !filled) {
    std::fprintf(stderr, "category %d: %s, %ld kaomoji listed instead of %zu (or not these)\n",
                 index, span ? "handled" : "no click logged", static_cast<long>(count),
                 entries.size());
    return std::nullopt;
  }
  Pause(kBetweenClicksMs);
  return TicksToMilliseconds(span->stop - span->start);
}

}  // namespace

std::optional<SelectionTimes> MeasureSelection(const std::wstring& timingExe,
                                               const std::string& corpusPath, int runs) {
  const std::string folder =
      platform::win32::Narrow(timingExe.substr(0, timingExe.find_last_of(L'\\')));
  const std::vector<std::string> large = CorpusKaomoji(corpusPath, kLarge);
  const std::vector<std::string> small = CorpusKaomoji(corpusPath, kSmall);
  if (large.empty() || !WritePelorinFolder(folder, {{"十個", small}, {"一万個", large}})) {
    return std::nullopt;
  }
  TimingLog log(platform::win32::Widen(folder) + L"\\timing.log");
  Program pelorin;
  HWND window = pelorin.Launch(timingExe, kStartTimeoutMs);
  if (window == nullptr) return std::nullopt;
  Pause(500);  // the start-up's painting done

  std::vector<double> select;
  std::vector<double> leave;
  for (int run = 0; run <= runs; ++run) {
    const std::optional<double> in = ClickCategory(window, kLargeIndex, large, log);
    const std::optional<double> out =
        in ? ClickCategory(window, kSmallIndex, small, log) : std::nullopt;
    if (!in || !out) return std::nullopt;
    if (run == 0) continue;  // warming up
    select.push_back(*in);
    leave.push_back(*out);
  }
  return SelectionTimes{Median(select), Median(leave)};
}

}  // namespace pelorin::bench::wine
