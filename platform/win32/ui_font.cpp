#include "platform/win32/ui_font.h"

namespace pelorin::platform::win32 {

UniqueFont CreateUiFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    if (HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont)) return UniqueFont(font);
  }
  // Deleting a stock object is harmless, so the owner may hold it too.
  return UniqueFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

}  // namespace pelorin::platform::win32
