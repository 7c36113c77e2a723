#include "tests/e2e/wine_scenario/shown_logs.h"

#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {

namespace {

bool MatchesPixel(const scenario::Arg& pattern, int pixels, UINT dpi) {
  return pattern.IsAny() || TwipsToPixels(pattern.number, dpi) == pixels;
}

}  // namespace

scenario::ShownDialog ShownDialogLog::At(std::size_t index) const {
  const DialogRecord& record = log_[index];
  return {record.kind,        record.text,  record.caption,  record.flags,
          record.defaultText, record.items, record.searched, record.Describe()};
}

bool ShownDialogLog::PlacedAt(std::size_t index, const scenario::Arg& left,
                              const scenario::Arg& top) const {
  const DialogRecord& record = log_[index];
  return MatchesPixel(left, record.topLeft.x, record.dpi) &&
         MatchesPixel(top, record.topLeft.y, record.dpi);
}

void ShownDialogLog::Take(std::size_t index) {
  log_.erase(log_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool ShownPasteLog::OldestIs(const std::string& title, const std::string& text) const {
  const PasteRecord& paste = log_.front();
  return paste.target == title && paste.text == text && paste.received == text && !paste.shift;
}

}  // namespace pelorin::wine_scenario
