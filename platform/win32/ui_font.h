#pragma once
// The system's UI font (the message font of the non-client metrics) at a DPI.

#include <windows.h>

#include "platform/win32/unique.h"

namespace pelorin::platform::win32 {

UniqueFont CreateUiFont(UINT dpi);

}  // namespace pelorin::platform::win32
