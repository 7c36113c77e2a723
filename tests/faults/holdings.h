#pragma once
// What the user holds, for comparing two moments of a run: the categories
// (on the screen or on disk) and the kaomoji, as multisets of texts. A
// kaomoji file and the list shown from it are one holder: its count of a
// text is the larger of the two, so a list that is both shown and saved
// counts once, and an unsaved change on either side still counts.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/faults/world_view.h"

namespace pelorin::faults {

using Multiset = std::map<std::string, int>;

struct Holdings {
  std::set<std::string> categories;
  // Every holder together: how often each text is there.
  Multiset kaomoji;
  // The holder of each category (its kaomoji file, and the shown list when
  // it is that file's).
  std::map<std::string, Multiset> kaomojiOfCategory;
};

Holdings HoldingsOf(const WorldView& view);

// What both hold: categories in both, each text as often as in the poorer.
Holdings Common(const Holdings& a, const Holdings& b);

// What `required` holds and `found` lacks, one line each ("category "A"",
// "kaomoji "x" (1 of 2)", "kaomoji "x" in category "A""); empty when nothing
// is missing. A missing category is reported alone, not with its kaomoji.
std::vector<std::string> Missing(const Holdings& required, const Holdings& found);

}  // namespace pelorin::faults
