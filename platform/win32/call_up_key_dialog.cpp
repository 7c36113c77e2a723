#include "platform/win32/call_up_key_dialog.h"

#include "platform/win32/dialog_controls.h"
#include "platform/win32/dialog_parts.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/unique.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

// Sizes at 96 dpi; scaled to the dialog's DPI.
constexpr int kClientWidth = 380;
constexpr int kClientHeight = 104;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kFieldHeight = 24;

struct DialogState {
  const CallUpKeyDialogRequest* request = nullptr;
  HWND owner = nullptr;
  UniqueFont font;
};

// The hot-key control's value: the key in the low byte, HOTKEYF_ flags above.
WORD FieldValue(const KeyCombination& key) {
  BYTE flags = 0;
  if (key.ctrl) flags |= HOTKEYF_CONTROL;
  if (key.alt) flags |= HOTKEYF_ALT;
  if (key.shift) flags |= HOTKEYF_SHIFT;
  // The control names these keys after the extended ones (Home, not Num 7).
  if ((key.keyCode >= VK_PRIOR && key.keyCode <= VK_DOWN) || key.keyCode == VK_INSERT ||
      key.keyCode == VK_DELETE) {
    flags |= HOTKEYF_EXT;
  }
  return MAKEWORD(static_cast<BYTE>(key.keyCode), flags);
}

KeyCombination KeyOfField(WORD value) {
  const BYTE flags = HIBYTE(value);
  KeyCombination key;
  key.ctrl = (flags & HOTKEYF_CONTROL) != 0;
  key.alt = (flags & HOTKEYF_ALT) != 0;
  key.shift = (flags & HOTKEYF_SHIFT) != 0;
  key.keyCode = LOBYTE(value);
  return key;
}

void Initialize(HWND dialog, DialogState& state) {
  const CallUpKeyDialogRequest& request = *state.request;
  const UINT dpi = request.dpi;
  auto scale = [dpi](int pixels) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); };
  state.font = CreateUiFont(dpi);
  HFONT font = state.font.get();
  ::SetWindowTextW(dialog, request.caption.c_str());

  const int width = scale(kClientWidth);
  const int height = scale(kClientHeight);
  const int margin = scale(kMargin);
  const int buttonWidth = scale(kButtonWidth);
  const int buttonHeight = scale(kButtonHeight);
  const int buttonTop = height - margin - buttonHeight;
  const int fieldTop = buttonTop - margin - scale(kFieldHeight);
  AddControl(dialog, L"STATIC", request.prompt, SS_LEFT | SS_NOPREFIX, 0,
             controls::kCallUpKeyPrompt, {margin, margin, width - margin, fieldTop - margin / 2},
             font);
  HWND field = AddControl(dialog, HOTKEY_CLASSW, L"", WS_TABSTOP, WS_EX_CLIENTEDGE,
                          controls::kCallUpKeyField,
                          {margin, fieldTop, width - margin, buttonTop - margin}, font);
  // No key alone and no Shift alone: such a one becomes Ctrl+Alt with it.
  ::SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  if (request.current) ::SendMessageW(field, HKM_SETHOTKEY, FieldValue(*request.current), 0);

  const struct {
    int id;
    const wchar_t* text;
    DWORD style;
  } buttons[] = {{IDOK, L"OK", BS_DEFPUSHBUTTON | WS_GROUP},
                 {controls::kCallUpKeyNone, request.noneButton.c_str(), BS_PUSHBUTTON},
                 {IDCANCEL, L"キャンセル", BS_PUSHBUTTON}};
  int right = width - margin;
  for (int i = 2; i >= 0; --i) {
    AddControl(dialog, L"BUTTON", buttons[i].text, buttons[i].style | WS_TABSTOP, 0, buttons[i].id,
               {right - buttonWidth, buttonTop, right, buttonTop + buttonHeight}, font);
    right -= buttonWidth + margin / 2;
  }
  PlaceDialogOver(dialog, state.owner, width, height, dpi);
  ::SetFocus(field);
}

// OK and "none" close the dialog only when the choice is taken.
void Confirm(HWND dialog, const DialogState& state, const std::optional<KeyCombination>& key) {
  if (state.request->confirm(key)) {
    ::EndDialog(dialog, IDOK);
  } else {
    ::SetFocus(::GetDlgItem(dialog, controls::kCallUpKeyField));
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Initialize(dialog, *reinterpret_cast<DialogState*>(lParam));
      return FALSE;  // the focus was set to the key field
    case WM_COMMAND:
      if (state == nullptr || HIWORD(wParam) != BN_CLICKED) return FALSE;
      switch (LOWORD(wParam)) {
        case IDOK: {
          const auto value = static_cast<WORD>(
              ::SendMessageW(::GetDlgItem(dialog, controls::kCallUpKeyField), HKM_GETHOTKEY, 0, 0));
          Confirm(dialog, *state, KeyOfField(value));
          return TRUE;
        }
        case controls::kCallUpKeyNone:
          Confirm(dialog, *state, std::nullopt);
          return TRUE;
        case IDCANCEL:
          ::EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void RunCallUpKeyDialog(HINSTANCE instance, HWND owner, const CallUpKeyDialogRequest& request) {
  EmptyDialogTemplate dialogTemplate;
  DialogState state;
  state.request = &request;
  state.owner = owner;
  ::DialogBoxIndirectParamW(instance, &dialogTemplate.dialog, owner, &DialogProc,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace pelorin::platform::win32
