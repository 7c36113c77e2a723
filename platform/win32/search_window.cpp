#include "platform/win32/search_window.h"

#include <algorithm>

#include "platform/win32/dialog_controls.h"
#include "platform/win32/dialog_parts.h"
#include "platform/win32/shift_mask.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

// Sizes at 96 dpi; scaled to the window's DPI.
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 380;
constexpr int kMargin = 10;
constexpr int kTextHeight = 24;
constexpr int kStatusHeight = 38;  // two lines: the count and a notice
constexpr int kCategoryWidth = 130;
constexpr UINT_PTR kTextSubclass = 1;

struct WindowState {
  const SearchWindowRequest* request = nullptr;
  HWND owner = nullptr;
  UniqueFont font;
  std::wstring row;  // the text of the row being drawn, while the list copies it
  std::optional<SearchChoice> choice;
};

HWND Results(HWND window) { return ::GetDlgItem(window, controls::kSearchResults); }

int Selected(HWND window) {
  return static_cast<int>(
      ::SendMessageW(Results(window), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Select(HWND window, int index) {
  HWND results = Results(window);
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(results, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&none));
  if (index < 0) return;
  LVITEMW item{};
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(results, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
  ::SendMessageW(results, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

// The text field changed: the results and the lines under them follow, the
// first result selected.
void Follow(HWND window, const WindowState& state) {
  SearchSource& source = *state.request->source;
  source.SetText(Narrow(WindowText(::GetDlgItem(window, controls::kSearchText))));
  const int count = source.ResultCount();
  HWND results = Results(window);
  ::SendMessageW(results, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
  Select(window, count > 0 ? 0 : -1);
  ::InvalidateRect(results, nullptr, TRUE);
  std::string lines;
  for (const std::string& line : source.StatusLines()) {
    if (!lines.empty()) lines += "\r\n";
    lines += line;
  }
  ::SetWindowTextW(::GetDlgItem(window, controls::kSearchStatus), Widen(lines).c_str());
}

// Up and Down by one result, Page Up and Page Down by a page; never off the ends.
void MoveSelection(HWND window, WPARAM key) {
  HWND results = Results(window);
  const auto count = static_cast<int>(::SendMessageW(results, LVM_GETITEMCOUNT, 0, 0));
  if (count == 0) return;
  const int page =
      std::max(1, static_cast<int>(::SendMessageW(results, LVM_GETCOUNTPERPAGE, 0, 0)));
  int step = 0;
  switch (key) {
    case VK_UP:
      step = -1;
      break;
    case VK_DOWN:
      step = 1;
      break;
    case VK_PRIOR:
      step = -page;
      break;
    default:
      step = page;
      break;
  }
  const int from = Selected(window);
  Select(window, std::clamp(from < 0 ? 0 : from + step, 0, count - 1));
}

void Choose(HWND window, WindowState& state, int result, int shift) {
  if (result < 0) {
    ::MessageBeep(MB_OK);  // nothing to choose
    return;
  }
  state.choice = SearchChoice{result, shift};
  ::EndDialog(window, IDOK);
}

// The text field's keys that move in the results or choose from them.
LRESULT CALLBACK TextProc(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
  auto* state = reinterpret_cast<WindowState*>(data);
  HWND window = ::GetParent(text);
  switch (message) {
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(text, &TextProc, id);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT) {
        MoveSelection(window, wParam);
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      // Alt+Enter, which the dialog manager leaves to the system menu.
      if (wParam == VK_RETURN) {
        Choose(window, *state, Selected(window), ShiftMask());
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (wParam == L'\r') return 0;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(text, message, wParam, lParam);
}

void AddColumn(HWND results, int index, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_SUBITEM;
  column.cx = width;
  column.iSubItem = index;
  ::SendMessageW(results, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void Initialize(HWND window, WindowState& state) {
  const UINT dpi = state.request->dpi;
  auto scale = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); };
  state.font = CreateUiFont(dpi);
  HFONT font = state.font.get();
  ::SetWindowTextW(window, state.request->caption.c_str());

  const int width = scale(kClientWidth);
  const int height = scale(kClientHeight);
  const int margin = scale(kMargin);
  const int resultsTop = margin + scale(kTextHeight) + margin / 2;
  const int statusTop = height - margin - scale(kStatusHeight);
  HWND text = AddControl(window, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                         controls::kSearchText,
                         {margin, margin, width - margin, resultsTop - margin / 2}, font);
  HWND results = AddControl(window, WC_LISTVIEWW, L"",
                            LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_NOCOLUMNHEADER | WS_TABSTOP | WS_VSCROLL,
                            WS_EX_CLIENTEDGE, controls::kSearchResults,
                            {margin, resultsTop, width - margin, statusTop - margin / 2}, font);
  ::SendMessageW(results, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT inside{};
  ::GetClientRect(results, &inside);
  const int categoryWidth = scale(kCategoryWidth);
  const int kaomojiWidth =
      inside.right - categoryWidth - ::GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
  AddColumn(results, 0, kaomojiWidth);
  AddColumn(results, 1, categoryWidth);
  AddControl(window, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 0, controls::kSearchStatus,
             {margin, statusTop, width - margin, height - margin}, font);

  ::SetWindowSubclass(text, &TextProc, kTextSubclass, reinterpret_cast<DWORD_PTR>(&state));
  Follow(window, state);
  PlaceDialogOver(window, state.owner, width, height, dpi);
  ::SetFocus(text);
}

// A row the list draws: the kaomoji in the first column, its category in the second.
void FillRow(WindowState& state, NMLVDISPINFOW& row) {
  if ((row.item.mask & LVIF_TEXT) == 0 || row.item.cchTextMax <= 0) return;
  const SearchSource& source = *state.request->source;
  const int index = row.item.iItem;
  if (index < 0 || index >= source.ResultCount()) {
    row.item.pszText[0] = L'\0';
    return;
  }
  state.row =
      Widen(row.item.iSubItem == 0 ? source.ResultKaomoji(index) : source.ResultCategory(index));
  ::lstrcpynW(row.item.pszText, state.row.c_str(), row.item.cchTextMax);
}

// The selected result in the colours of a selection that has the focus: the
// keyboard stays in the text field, and the list would draw its selection
// there in the faint colours of one without.
LRESULT DrawSelectionStrongly(HWND results, NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto item = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
  if (::SendMessageW(results, LVM_GETITEMSTATE, item, LVIS_SELECTED) == 0) return CDRF_DODEFAULT;
  draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
  draw.clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
  draw.clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
  return CDRF_NEWFONT;
}

INT_PTR OnNotify(HWND window, WindowState& state, NMHDR& header) {
  if (header.idFrom != static_cast<UINT_PTR>(controls::kSearchResults)) return FALSE;
  if (header.code == LVN_GETDISPINFOW) {
    FillRow(state, reinterpret_cast<NMLVDISPINFOW&>(header));
    return TRUE;
  }
  if (header.code == NM_CUSTOMDRAW) {
    const LRESULT result =
        DrawSelectionStrongly(header.hwndFrom, reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
  }
  if (header.code == NM_DBLCLK) {
    const int item = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
    if (item >= 0) Choose(window, state, item, 0);
    return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<WindowState*>(::GetWindowLongPtrW(window, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrW(window, DWLP_USER, lParam);
      Initialize(window, *reinterpret_cast<WindowState*>(lParam));
      return FALSE;  // the focus was set to the text field
    case WM_NOTIFY:
      return state != nullptr ? OnNotify(window, *state, *reinterpret_cast<NMHDR*>(lParam)) : FALSE;
    case WM_COMMAND:
      if (state == nullptr) return FALSE;
      if (LOWORD(wParam) == controls::kSearchText && HIWORD(wParam) == EN_CHANGE) {
        Follow(window, *state);
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        // Enter, wherever the focus is in the window; the keys held with it.
        Choose(window, *state, Selected(window), ShiftMask());
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(window, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<SearchChoice> RunSearchWindow(HINSTANCE instance, HWND owner,
                                            const SearchWindowRequest& request) {
  EmptyDialogTemplate dialogTemplate;
  WindowState state;
  state.request = &request;
  state.owner = owner;
  ::DialogBoxIndirectParamW(instance, &dialogTemplate.dialog, owner, &WindowProc,
                            reinterpret_cast<LPARAM>(&state));
  return state.choice;
}

}  // namespace pelorin::platform::win32
