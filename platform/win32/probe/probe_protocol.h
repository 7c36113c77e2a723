#pragma once
// The questions the Windows scenario runner may ask a test build of the
// program (Pelorin-probe.exe, built with PELORIN_PROBE) about its real window
// objects, and how they travel. Wine does not let one process read another's
// menus or a tooltip's text, so the test build answers them itself; the
// released Pelorin.exe has no probe and leaves the message unanswered.
//
// A question is the registered message kMessageName sent to the main window:
//   wParam = question | argument << 8
//   lParam = the runner's window that takes a text answer (WM_COPYDATA with
//            dwData kTextAnswer, UTF-16 without a terminator), sent before the
//            question returns
// The answers read the real objects (menu handles, the tooltip control, the
// message box's icon control) or count what the program did (beeps); none of
// them reports the core's own state.

#include <windows.h>

#include <cstdint>

namespace pelorin::platform::win32::probe {

inline constexpr wchar_t kMessageName[] = L"Pelorin.ScenarioProbe.1";

// dwData of the WM_COPYDATA that carries a text answer.
inline constexpr ULONG_PTR kTextAnswer = 0x50524F42;

enum class Question : unsigned {
  // Answer kHelloAnswer: the window carries the probe.
  Hello = 1,
  // 1 when the window's thread waits for input: no window procedure of the
  // program runs besides the probe's own, and no key, button or posted
  // message waits in its queue; else 0.
  Idle = 2,
  // argument: the item's index in the menu table. 1 when the item stands in
  // the menu that holds it, 0 when it does not, kUnknown for a separator.
  MenuVisible = 3,
  // argument: the item's index. 1 or 0 from the item's check mark in its
  // menu; kUnknown when the item is not in its menu (a hidden item shows none).
  MenuChecked = 4,
  // argument: a menu of the bar (its index). Its rectangle on the screen,
  // packed by PackRect; 0 when it is not in the bar.
  BarItemRect = 5,
  // argument: a popup menu window (#32768) of the program. Text answer: the
  // menu's own index, then one record per item (see the runner's reader):
  //   menu RS (index US flags US caption RS)...
  // flags: 1 separator, 2 checked, 4 highlighted. Returns 1, or 0 when the
  // window is not one of the program's open menus.
  DescribePopup = 6,
  // Text answer: the text of List2's tooltip as the tooltip control holds it.
  ToolTip = 7,
  // The number of beeps the program has made since it started.
  Beeps = 8,
  // argument: a message box window of the program. The MsgBox icon value of
  // the icon it shows: 0 none, 16, 32, 48 or 64; kUnknown for another window.
  MessageBoxIcon = 9,
  // argument: the item's index. Text answer: its caption as its menu holds
  // it. Returns 1, or kUnknown when the item is not in its menu.
  MenuCaption = 10,
  // argument: a search window of the program. Text answer: each row of its
  // results as the list shows it, the kaomoji and the category:
  //   (kaomoji US category RS)...
  // Returns 1, or kUnknown for another window.
  SearchResults = 11,
  // The list (1, 2 or 3) that gets the keyboard focus when the window is
  // activated again, for a window that is not active; 0 for none.
  FocusOnActivation = 12,
};

inline constexpr LRESULT kHelloAnswer = 0x4F4C4550;
inline constexpr LRESULT kUnknown = -1;

// Separators of the text answer of DescribePopup.
inline constexpr wchar_t kRecordSeparator = L'\x1E';
inline constexpr wchar_t kUnitSeparator = L'\x1F';

inline constexpr unsigned kItemSeparator = 1;
inline constexpr unsigned kItemChecked = 2;
inline constexpr unsigned kItemHighlighted = 4;

inline WPARAM Ask(Question question, std::uint64_t argument = 0) {
  return static_cast<WPARAM>(static_cast<std::uint64_t>(question) | (argument << 8));
}

inline Question QuestionOf(WPARAM wParam) { return static_cast<Question>(wParam & 0xFF); }
inline std::uint64_t ArgumentOf(WPARAM wParam) { return static_cast<std::uint64_t>(wParam) >> 8; }

// Screen coordinates as four signed 16-bit fields (left, top, right, bottom).
inline LRESULT PackRect(const RECT& rect) {
  auto field = [](LONG value, int shift) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)))
           << shift;
  };
  return static_cast<LRESULT>(field(rect.left, 0) | field(rect.top, 16) | field(rect.right, 32) |
                              field(rect.bottom, 48));
}

inline RECT UnpackRect(LRESULT packed) {
  const auto bits = static_cast<std::uint64_t>(packed);
  auto field = [bits](int shift) {
    return static_cast<LONG>(static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> shift)));
  };
  return RECT{field(0), field(16), field(32), field(48)};
}

}  // namespace pelorin::platform::win32::probe
