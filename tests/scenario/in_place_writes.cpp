#include "tests/scenario/in_place_writes.h"

#include "platform/file_system.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace pelorin::scenario {

namespace {
constexpr std::uint32_t kWatched = IN_MODIFY | IN_CLOSE_WRITE | IN_DELETE;
}

InPlaceWrites::InPlaceWrites(const std::string& appFolder)
    : folder_(appFolder), watcher_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  Watch();
}

InPlaceWrites::~InPlaceWrites() {
  if (watcher_ >= 0) ::close(watcher_);
}

// Again after every command: the scenario may have removed and made the
// data folder anew.
void InPlaceWrites::Watch() {
  if (watcher_ < 0) return;
  inotify_add_watch(watcher_, folder_.c_str(), kWatched);
  data_ = inotify_add_watch(watcher_, (folder_ + "/data").c_str(), kWatched);
}

std::set<std::string> InPlaceWrites::Take(const std::set<std::string>& deleted) {
  std::set<std::string> found;
  alignas(inotify_event) char buffer[16384];
  ssize_t size = 0;
  while (watcher_ >= 0 && (size = ::read(watcher_, buffer, sizeof buffer)) > 0) {
    for (ssize_t at = 0; at < size;) {
      inotify_event event;
      std::memcpy(&event, buffer + at, sizeof event);
      const std::string name = event.len > 0 ? buffer + at + sizeof event : "";
      at += static_cast<ssize_t>(sizeof event + event.len);
      const std::string path = (event.wd == data_ ? "data/" : "") + name;
      if (name.empty() || platform::IsTemporaryFileName(name)) continue;
      if ((event.mask & IN_DELETE) && !deleted.contains(path)) {
        found.insert(path + " removed before its replacement was in place");
      } else if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE)) {
        found.insert(path + " written in place");
      }
    }
  }
  Watch();
  return found;
}

}  // namespace pelorin::scenario
