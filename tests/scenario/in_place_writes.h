#pragma once
// Watches the application folder and its data folder while the program runs
// and notes every file that was written in place or removed without the
// program deleting it: an atomic write goes to a temporary file and then
// takes the target's place in one rename, so at no moment does the target
// hold part of its new bytes, or nothing at all. (Linux: inotify.)

#include <set>
#include <string>

namespace pelorin::scenario {

class InPlaceWrites {
 public:
  explicit InPlaceWrites(const std::string& appFolder);
  ~InPlaceWrites();
  InPlaceWrites(const InPlaceWrites&) = delete;
  InPlaceWrites& operator=(const InPlaceWrites&) = delete;

  // What happened since the last call ("data/A.txt written in place"),
  // besides the removal of the files named in `deleted` (the program's own
  // deletes) and anything done to temporary files.
  std::set<std::string> Take(const std::set<std::string>& deleted);

 private:
  void Watch();

  std::string folder_;
  int watcher_ = -1;
  int data_ = -1;  // the watch of the data folder
};

}  // namespace pelorin::scenario
