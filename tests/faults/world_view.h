#pragma once
// What the user has at one moment of a played scenario: the two lists on the
// screen (while the program runs) and the files of the application folder,
// read through the program's own readers. Taken without going through the
// fault-injecting layer, so looking neither counts nor fails an operation.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace pelorin::app {
class Form1;
}

namespace pelorin::faults {

struct KaomojiFileView {
  std::string bytes;
  std::vector<std::string> entries;  // as the program reads them
  bool damaged = false;              // bytes valid in no encoding the program reads
};

struct WorldView {
  bool running = false;  // the program's window exists and has not ended
  std::vector<std::string> categoriesOnScreen;  // List3
  std::vector<std::string> kaomojiOnScreen;     // List2
  std::string shownFile;                        // CurrentFile
  int selectedKaomoji = -1;
  int selectedCategory = -1;

  bool settingsReadable = true;
  std::string settingsBytes;  // empty when missing
  std::vector<std::string> categoriesOnDisk;  // the LIST value, as start-up reads it
  // The kaomoji file of each category on the screen or on disk, as category
  // selection finds it (its FILE value when that is a plain name, else
  // NAME.txt).
  std::map<std::string, std::string> fileOfCategory;
  // data/*.txt by file name.
  std::map<std::string, KaomojiFileView> kaomojiFiles;
  // Files in the application folder or data whose names mark an unfinished
  // atomic write (".tmp-").
  std::vector<std::string> temporaryFiles;
};

WorldView TakeView(sim::SimPlatform& world, const app::Form1* program);

// Whether the user sees the same window in both: running or not, the same
// entries, selections and shown file. Where it differs, the user's next
// clicks can land on other entries.
bool SameScreen(const WorldView& a, const WorldView& b);

}  // namespace pelorin::faults
