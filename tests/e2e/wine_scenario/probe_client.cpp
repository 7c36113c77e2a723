#include "tests/e2e/wine_scenario/probe_client.h"

#include <utility>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

constexpr wchar_t kClass[] = L"PelorinScenarioProbeClient";

// A menu caption's "&&" is one "&"; a single "&" marks a mnemonic.
std::string ShownCaption(const std::wstring& caption) {
  std::wstring shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return Utf8(shown);
}

}  // namespace

int PopupView::SelectablePosition(int item) const {
  int position = 0;
  for (const MenuItemView& view : items) {
    if (view.separator) continue;
    if (view.item == item) return position;
    ++position;
  }
  return -1;
}

int PopupView::Highlighted() const {
  for (const MenuItemView& view : items) {
    if (view.highlighted) return view.item;
  }
  return -1;
}

ProbeClient::ProbeClient() : message_(::RegisterWindowMessageW(probe::kMessageName)) {
  e2e::RegisterWindowClass(kClass, &ProbeClient::WindowProc);
  // Message-only: never among the desktop's windows that a paste looks at.
  window_.reset(::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  ::GetModuleHandleW(nullptr), this));
}

std::optional<LRESULT> ProbeClient::Ask(HWND program, probe::Question question,
                                        unsigned long long argument) const {
  if (program == nullptr || !Ready()) return std::nullopt;
  return e2e::TryAsk(program, message_, probe::Ask(question, argument),
                     reinterpret_cast<LPARAM>(window_.get()));
}

std::optional<std::wstring> ProbeClient::AskText(HWND program, probe::Question question,
                                                 unsigned long long argument) {
  text_.reset();
  const std::optional<LRESULT> answer = Ask(program, question, argument);
  if (!answer || *answer != 1) return std::nullopt;
  return std::exchange(text_, std::nullopt);
}

std::optional<PopupView> ProbeClient::DescribePopup(HWND program, HWND popupWindow) {
  const std::optional<std::wstring> text =
      AskText(program, probe::Question::DescribePopup, reinterpret_cast<UINT_PTR>(popupWindow));
  if (!text) return std::nullopt;
  const std::vector<std::wstring> records = Split(*text, probe::kRecordSeparator);
  PopupView view;
  view.menu = _wtoi(records.front().c_str());
  for (size_t i = 1; i < records.size(); ++i) {
    const std::vector<std::wstring> fields = Split(records[i], probe::kUnitSeparator);
    if (fields.size() != 3) return std::nullopt;
    MenuItemView item;
    item.item = _wtoi(fields[0].c_str());
    const auto flags = static_cast<unsigned>(_wtoi(fields[1].c_str()));
    item.separator = (flags & probe::kItemSeparator) != 0;
    item.highlighted = (flags & probe::kItemHighlighted) != 0;
    item.caption = item.separator ? "-" : ShownCaption(fields[2]);
    view.items.push_back(item);
  }
  return view;
}

std::optional<std::string> ProbeClient::MenuCaption(HWND program, int item) {
  const std::optional<std::wstring> text =
      AskText(program, probe::Question::MenuCaption, static_cast<unsigned long long>(item));
  if (!text) return std::nullopt;
  return ShownCaption(*text);
}

std::optional<std::vector<std::string>> ProbeClient::SearchRows(HWND program, HWND searchWindow) {
  const std::optional<std::wstring> text =
      AskText(program, probe::Question::SearchResults, reinterpret_cast<UINT_PTR>(searchWindow));
  if (!text) return std::nullopt;
  std::vector<std::string> rows;
  for (const std::wstring& record : Split(*text, probe::kRecordSeparator)) {
    if (record.empty()) continue;  // after the last record
    const std::vector<std::wstring> fields = Split(record, probe::kUnitSeparator);
    if (fields.size() != 2) return std::nullopt;
    rows.push_back(Utf8(fields[0]));
    rows.push_back(Utf8(fields[1]));
  }
  return rows;
}

LRESULT CALLBACK ProbeClient::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = e2e::CreatedFor<ProbeClient>(window, message, lParam);
  if (message == WM_COPYDATA && self != nullptr) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != probe::kTextAnswer) return FALSE;
    self->text_ =
        std::wstring(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    return TRUE;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace pelorin::wine_scenario
