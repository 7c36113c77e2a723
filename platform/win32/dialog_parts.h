#pragma once
// The pieces the program's own modal dialogs are built from: an empty dialog
// template (the controls are made in WM_INITDIALOG, where the DPI and the
// font are known) and the making of one control.

#include <windows.h>

#include <string>

namespace pelorin::platform::win32 {

inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// DLGTEMPLATE with no controls, no menu, the default class and no title.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE dialog{kDialogStyle, WS_EX_DLGMODALFRAME, 0, 0, 0, 0, 0};
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

// A visible child control of the dialog in the font given.
HWND AddControl(HWND dialog, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                DWORD exStyle, int id, RECT rect, HFONT font);

// The text of a control, or of any window of this thread.
std::wstring WindowText(HWND window);

// Gives the dialog its outer size for a client area of width x height pixels
// and places it centred over `owner` (on the owner's monitor's work area).
void PlaceDialogOver(HWND dialog, HWND owner, int width, int height, UINT dpi);

}  // namespace pelorin::platform::win32
