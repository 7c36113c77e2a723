#pragma once
// The Windows headers in the order they need: <windows.h> first, then the
// ones built on it (they do not compile on their own). Include this one
// wherever one of the latter is used.

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>
// clang-format on
