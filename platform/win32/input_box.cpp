#include "platform/win32/input_box.h"

#include "platform/win32/dialog_parts.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/unique.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Sizes at 96 dpi; scaled to the dialog's DPI.
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 134;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kEditHeight = 24;

struct DialogState {
  const InputBoxRequest* request = nullptr;
  UniqueFont font;
  std::wstring result;
};

void Initialize(HWND dialog, DialogState& state) {
  const InputBoxRequest& request = *state.request;
  const UINT dpi = request.dpi;
  auto scale = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); };
  state.font = CreateUiFont(dpi);
  HFONT font = state.font.get();
  ::SetWindowTextW(dialog, request.caption.c_str());

  const int width = scale(kClientWidth);
  const int height = scale(kClientHeight);
  const int margin = scale(kMargin);
  const int buttonLeft = width - margin - scale(kButtonWidth);
  const int editTop = height - margin - scale(kEditHeight);
  AddControl(dialog, L"STATIC", request.prompt, SS_LEFT | SS_NOPREFIX, 0, kPromptId,
             {margin, margin, buttonLeft - margin, editTop - margin}, font);
  AddControl(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, IDOK,
             {buttonLeft, margin, width - margin, margin + scale(kButtonHeight)}, font);
  AddControl(dialog, L"BUTTON", L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL,
             {buttonLeft, margin + scale(kButtonHeight + 6), width - margin,
              margin + scale(2 * kButtonHeight + 6)},
             font);
  HWND edit = AddControl(dialog, L"EDIT", request.defaultText, ES_AUTOHSCROLL | WS_TABSTOP,
                         WS_EX_CLIENTEDGE, kEditId,
                         {margin, editTop, width - margin, height - margin}, font);

  RECT outer{0, 0, width, height};
  ::AdjustWindowRectExForDpi(&outer, kDialogStyle, FALSE, WS_EX_DLGMODALFRAME, dpi);
  ::SetWindowPos(dialog, nullptr, request.topLeft.x, request.topLeft.y, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

std::wstring EditText(HWND dialog) { return WindowText(::GetDlgItem(dialog, kEditId)); }

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Initialize(dialog, *reinterpret_cast<DialogState*>(lParam));
      return FALSE;  // the focus was set to the edit
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && state != nullptr) {
        state->result = EditText(dialog);
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

std::optional<std::wstring> RunInputBox(HINSTANCE instance, HWND owner,
                                        const InputBoxRequest& request) {
  EmptyDialogTemplate dialogTemplate;
  DialogState state;
  state.request = &request;
  const INT_PTR answer = ::DialogBoxIndirectParamW(instance, &dialogTemplate.dialog, owner,
                                                   &DialogProc, reinterpret_cast<LPARAM>(&state));
  if (answer != IDOK) return std::nullopt;
  return state.result;
}

}  // namespace pelorin::platform::win32
