// bell-watch: counts the bells rung on an X display and keeps the count in a
// file, so that a program under wine can tell from outside that a beep really
// sounded (MessageBeep reaches X as XBell).
//
//   bell-watch COUNT_FILE        (on $DISPLAY; runs until killed)

#include <X11/XKBlib.h>

#include <cstdio>
#include <string>

namespace {

// Replaces the file in one step, so a reader never sees it half written.
bool WriteCount(const std::string& path, long count) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "w");
  if (file == nullptr) return false;
  std::fprintf(file, "%ld\n", count);
  if (std::fclose(file) != 0) return false;
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bell-watch COUNT_FILE\n");
    return 2;
  }
  const std::string path = argv[1];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "bell-watch: cannot open the display\n");
    return 1;
  }
  int opcode = 0;
  int eventBase = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor)) {
    std::fprintf(stderr, "bell-watch: the display has no XKB\n");
    return 1;
  }
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  long count = 0;
  if (!WriteCount(path, count)) return 1;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
    if (event.type == eventBase && xkb->any.xkb_type == XkbBellNotify) {
      if (!WriteCount(path, ++count)) return 1;
    }
  }
}
