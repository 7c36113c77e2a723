#pragma once
// The folding both sides of a search comparison go through: full-width ASCII
// forms (U+FF01-U+FF5E) become ASCII, half-width katakana (U+FF65-U+FF9F)
// become full-width as Unicode's compatibility mapping has them (a half-width
// voiced or semi-voiced mark right after a kana that takes it joins it: ｶﾞ is
// ガ), and ASCII letters become lower case. Nothing else changes; bytes that
// are not well-formed UTF-8 pass through as they are.

#include <string>
#include <string_view>

namespace pelorin::search {

std::string FoldForSearch(std::string_view text);

}  // namespace pelorin::search
