// Creation of Form1: the window class, the window, its three list boxes, the
// tooltip of List2, and the menus built from the core's table.

#include "platform/win32/twips.h"
#include "platform/win32/ui_font.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kIconResource = 1;

// Initial client area and the lists' design geometry, in twips.
constexpr float kClientWidth = 4695;
constexpr float kClientHeight = 2070;
constexpr Rect kDesignRects[3] = {
    {0, 2040, 4695, 240},   // List1: the title list, never shown
    {0, 0, 3495, 2040},     // List2: kaomoji
    {3480, 0, 1215, 2040},  // List3: categories
};

// Whole-row list boxes: no LBS_NOINTEGRALHEIGHT, so the list box itself cuts
// its height to whole rows, as the layout expects.
constexpr DWORD kListStyle = WS_CHILD | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY;

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

Win32Platform::~Win32Platform() {
  if (window_ != nullptr) {
    QuietScope quiet(*this);
    ::DestroyWindow(window_);
  }
}

int Win32Platform::RunMessageLoop() {
  if (window_ == nullptr && !quitPosted_) return 1;
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Platform::CreateMainWindow(std::span<const MenuEntry> menus, WindowEvents& events) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  RegisterWindowClass();
  menus_.Build(menus);

  const UINT dpi = ::GetDpiForSystem();
  RECT outer{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)};
  ::AdjustWindowRectExForDpi(&outer, kWindowStyle, TRUE, 0, dpi);
  const HWND created =
      ::CreateWindowExW(0, kWindowClass, kCaption, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr,
                        menus_.BarHasItems() ? menus_.Bar() : nullptr, instance_, this);
  if (created == nullptr) {
    const DWORD error = ::GetLastError();
    const std::wstring text =
        L"The window could not be created (error " + std::to_wstring(error) + L").";
    ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_ICONERROR);
    quitPosted_ = true;
    ::PostQuitMessage(1);
    return;
  }
  fontDpi_ = Dpi();
  if (fontDpi_ != dpi) {
    // The window opened on a monitor with another scale: size it for that one.
    RECT scaled{0, 0, TwipsToPixels(kClientWidth, fontDpi_),
                TwipsToPixels(kClientHeight, fontDpi_)};
    ::AdjustWindowRectExForDpi(&scaled, kWindowStyle, TRUE, 0, fontDpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, scaled.right - scaled.left, scaled.bottom - scaled.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateLists();
  CreateToolTip();
  events_ = &events;
  DispatchScope loading(*this);
  events.OnLoad();
}

void Win32Platform::RegisterWindowClass() const {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &Win32Platform::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(kIconResource));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource),
                                                        IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExW(&windowClass);
}

void Win32Platform::CreateLists() {
  for (int i = 0; i < 3; ++i) {
    const auto list = static_cast<ListId>(i + 1);
    const DWORD visible = list == ListId::List1 ? 0 : WS_VISIBLE;
    const DWORD notify = list == ListId::List1 ? 0 : LBS_NOTIFY;
    lists_[i] = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", nullptr, (kListStyle & ~LBS_NOTIFY) | notify | visible, 0, 0,
        0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), instance_, nullptr);
    ::SetWindowSubclass(lists_[i], &Win32Platform::ListProc, static_cast<UINT_PTR>(list),
                        reinterpret_cast<DWORD_PTR>(this));
  }
  ApplyFont();
  QuietScope quiet(*this);
  for (int i = 0; i < 3; ++i) SetListRect(static_cast<ListId>(i + 1), kDesignRects[i]);
}

// The tooltip has no owner on purpose: under wine, a tooltip owned by the main
// window makes SetWindowPos(HWND_TOPMOST) on the main window succeed without
// setting WS_EX_TOPMOST. Tooltips are topmost themselves, so nothing is lost.
void Win32Platform::CreateToolTip() {
  toolTip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   instance_, nullptr));
  if (!toolTip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  // TTF_TRANSPARENT: a click on the tip goes through to the list under it
  // (the tip shows beside the pointer, often over the next entry).
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(ListWindow(ListId::List2));
  tool.lpszText = const_cast<wchar_t*>(L"");
  ::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SendMessageW(toolTip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void Win32Platform::ApplyFont() {
  fontDpi_ = Dpi();
  UniqueFont font = CreateUiFont(fontDpi_);
  for (HWND list : lists_) {
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  if (toolTip_) {
    ::SendMessageW(toolTip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
  }
  // The old font is deleted only after no control uses it any more.
  font_ = std::move(font);
}

HWND Win32Platform::ListWindow(ListId list) const {
  const int index = static_cast<int>(list) - 1;
  return index >= 0 && index < 3 ? lists_[index] : nullptr;
}

std::optional<ListId> Win32Platform::ListOf(HWND window) const {
  for (int i = 0; i < 3; ++i) {
    if (lists_[i] == window && window != nullptr) return static_cast<ListId>(i + 1);
  }
  return std::nullopt;
}

UINT Win32Platform::Dpi() const {
  const UINT dpi = window_ != nullptr ? ::GetDpiForWindow(window_) : 0;
  return dpi != 0 ? dpi : ::GetDpiForSystem();
}

// --- menus ----------------------------------------------------------------

bool Win32Platform::MenuVisible(MenuItemId item) const { return menus_.Visible(item); }

void Win32Platform::SetMenuVisible(MenuItemId item, bool visible) {
  QuietScope quiet(*this);
  menus_.SetVisible(item, visible);
  AttachMenuBar();
}

bool Win32Platform::MenuChecked(MenuItemId item) const { return menus_.Checked(item); }

void Win32Platform::SetMenuChecked(MenuItemId item, bool checked) {
  menus_.SetChecked(item, checked);
}

void Win32Platform::SetMenuCaption(MenuItemId item, const std::string& caption) {
  QuietScope quiet(*this);
  menus_.SetCaption(item, caption);
  // A rebuilt menu of the bar is drawn anew.
  if (window_ != nullptr) ::DrawMenuBar(window_);
}

// The bar is taken off the window while all its menus are hidden, so the
// window has no menu bar at all, and put back when one is shown again.
void Win32Platform::AttachMenuBar() {
  if (window_ == nullptr) return;
  HMENU wanted = menus_.BarHasItems() ? menus_.Bar() : nullptr;
  if (::GetMenu(window_) != wanted) {
    ::SetMenu(window_, wanted);
  } else if (wanted != nullptr) {
    ::DrawMenuBar(window_);
  }
}

}  // namespace pelorin::platform::win32
