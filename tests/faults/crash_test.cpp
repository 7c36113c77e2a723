// pelorin-crash-test [--wine] KILLS COLLECTION WRITER [ARGUMENT...]
// Kills a process with SIGKILL at random moments while it saves, in a loop,
// a large kaomoji file and the settings file through Pelorin's own code
// (pelorin-crash-writer), and checks after every kill that each file holds
// exactly one of its two versions, byte for byte, and reads back as that
// version through the program's readers. Temporary files of an unfinished
// write may be left behind; they are counted and removed, never read.
//
// WRITER [ARGUMENT...] is the writer's command: it gets FOLDER VERSIONS
// added, prints "ready" and saves until it is ended. With --wine
// (run-wine-crash.sh) the command runs the MinGW-built writer under Wine
// through pelorin-crash-launcher.exe: the writer sees the folders through
// drive Z, and the launcher, on the line "kill", ends it with
// TerminateProcess and exits with status 0.
// Prints the counts and the closing line "N passed, N failed" (kills).
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/std_file_system.h"
#include "platform/text_codec.h"
#include "store/kaomoji_file.h"
#include "store/profile_document.h"
#include "store/settings_file.h"
#include "store/window_state.h"

namespace {

namespace fs = std::filesystem;
using pelorin::platform::StdFileSystem;
using pelorin::store::SettingsFile;

// One of the two versions the writer saves in turn. The two differ in every
// part of each file.
struct Version {
  std::vector<std::string> kaomoji;  // the kaomoji file's entries, about 1 MB
  std::string kaomojiBytes;          // as SerializeKaomojiFile writes them
  std::string list;                  // the LIST value: 2,000 categories
  std::string settingsBytes;         // the settings file as the writer leaves it
};

std::array<Version, 2> MakeVersions(const std::string& collection) {
  std::array<Version, 2> versions;
  const std::vector<std::string> entries = pelorin::store::SplitKaomojiLines(collection);
  for (std::size_t i = 0, bytes = 0; !entries.empty() && bytes < (1u << 20); ++i) {
    versions[0].kaomoji.push_back(entries[i % entries.size()]);
    bytes += versions[0].kaomoji.back().size() + 2;
  }
  // The same entries, the halves swapped and each half reversed, so that no
  // long stretch of bytes is shared.
  std::vector<std::string>& second = versions[1].kaomoji = versions[0].kaomoji;
  std::rotate(second.begin(), second.begin() + static_cast<long>(second.size() / 2), second.end());
  std::reverse(second.begin(), second.begin() + static_cast<long>(second.size() / 2));
  std::vector<std::string> names;
  for (int i = 1; i <= 2000; ++i) names.push_back("種類" + std::to_string(10000 + i).substr(1));
  for (Version& version : versions) {
    version.kaomojiBytes = pelorin::store::SerializeKaomojiFile(version.kaomoji);
    version.list = pelorin::store::JoinCategoryList(names).value_or("");
    std::reverse(names.begin(), names.end());
  }
  return versions;
}

// Puts version 0 of both files in place, as a collection of 2,000 categories
// has them (a FILE key each, the window state, the list), the versions where
// the writer reads them, and notes each version's settings file as the
// program's own writer makes it.
bool Prepare(std::array<Version, 2>& versions, const fs::path& app, const fs::path& folder) {
  StdFileSystem files;
  fs::create_directories(app / "data");
  fs::create_directories(folder);
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i);
    if (!files.WriteFileAtomic((folder / ("kaomoji" + n)).string(), versions[i].kaomojiBytes) ||
        !files.WriteFileAtomic((folder / ("list" + n)).string(), versions[i].list)) {
      return false;
    }
  }
  auto document = pelorin::store::ProfileDocument::Parse("");
  document.Set("LIST", "LIST", versions[0].list);
  for (const std::string& name : pelorin::store::ParseCategoryList(versions[0].list)) {
    document.Set("FILE", name, name + ".txt");
  }
  document.Set("DATA", "STATE", "0,1200,1200,2710,4805,True,True");
  const std::string settings = (app / pelorin::store::kSettingsFileName).string();
  if (!files.WriteFileAtomic(settings, *pelorin::platform::EncodeCp932(document.Serialize()))) {
    return false;
  }
  for (int i : {1, 0}) {
    if (!SettingsFile(files, settings).Write("LIST", "LIST", versions[i].list).ok) return false;
    versions[i].settingsBytes = files.ReadFile(settings).bytes;
  }
  return static_cast<bool>(
      files.WriteFileAtomic((app / "data/big.txt").string(), versions[0].kaomojiBytes));
}

// The mean time of one round of the writer's loop, measured here with the
// same code, so that the kills spread over a few rounds.
long RoundMicros(const std::array<Version, 2>& versions, const fs::path& app) {
  StdFileSystem files;
  SettingsFile settings(files, (app / pelorin::store::kSettingsFileName).string());
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < 4; ++i) {
    (void)files.WriteFileAtomic((app / "data/big.txt").string(), versions[i % 2].kaomojiBytes);
    (void)settings.Write("LIST", "LIST", versions[i % 2].list);
  }
  const auto spent = std::chrono::steady_clock::now() - started;
  return std::max<long>(200,
                        std::chrono::duration_cast<std::chrono::microseconds>(spent).count() / 4);
}

struct Counts {
  long kills = 0;
  long torn = 0;
  long writerFailures = 0;
  long startsRetried = 0;    // writers that ended before "ready", started again
  long killedElsewhere = 0;  // launchers SIGKILLed by someone else, files checked
  // For the kaomoji file and the settings file: the kills after which it
  // held version 0 and 1, and those during its write (a temporary file left).
  std::array<std::array<long, 2>, 2> versionsSeen{};
  std::array<long, 2> temporaryFiles{};
};

// Checks both files after a kill, counts their versions, and removes (and
// counts) what an unfinished write left behind.
void Inspect(const std::array<Version, 2>& versions, const fs::path& app, Counts& counts) {
  StdFileSystem files;
  const std::string settingsPath = (app / pelorin::store::kSettingsFileName).string();
  const std::string kaomoji = files.ReadFile((app / "data/big.txt").string()).bytes;
  const std::string settings = files.ReadFile(settingsPath).bytes;
  int k = -1;
  int s = -1;
  for (int i = 0; i < 2; ++i) {
    if (kaomoji == versions[i].kaomojiBytes &&
        pelorin::store::ParseKaomojiFile(kaomoji).entries == versions[i].kaomoji) {
      ++counts.versionsSeen[0][k = i];
    }
    if (settings == versions[i].settingsBytes &&
        SettingsFile(files, settingsPath).Read("LIST", "LIST").value == versions[i].list) {
      ++counts.versionsSeen[1][s = i];
    }
  }
  if (k < 0 || s < 0) {
    ++counts.torn;
    std::cout << "TORN after kill " << counts.kills << ": kaomoji file " << kaomoji.size()
              << " bytes (version " << k << "), settings file " << settings.size()
              << " bytes (version " << s << ")\n";
  }
  for (const fs::path& folder : {app, app / "data"}) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (!pelorin::platform::IsTemporaryFileName(name)) continue;
      ++counts.temporaryFiles[name.starts_with("big.txt") ? 0 : 1];
      fs::remove(entry.path());
    }
  }
}

// Starts the writer with pipes on its standard input and output, waits for
// its "ready", sleeps `micros`, ends it and waits until it is gone. It is
// ended by SIGKILL, which it can neither catch nor delay, or, when it is the
// launcher, by the line "kill". Returns the wait status; nothing when the
// writer ended before "ready" (or could not start).
std::optional<int> RunAndEnd(const std::vector<char*>& command, long micros, bool throughInput) {
  int out[2] = {-1, -1};
  int in[2] = {-1, -1};
  const pid_t pid = ::pipe(out) == 0 && ::pipe(in) == 0 ? ::fork() : -1;
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(in[0], STDIN_FILENO);
    for (int fd : {out[0], out[1], in[0], in[1]}) ::close(fd);
    ::execvp(command[0], command.data());
    ::_exit(127);
  }
  for (int fd : {out[1], in[0]}) {
    if (fd >= 0) ::close(fd);
  }
  bool ready = false;
  std::string line;
  char c = 0;
  while (!ready && ::read(out[0], &c, 1) == 1) {  // ends at once when the fork failed
    if (c == '\n') {
      ready = line == "ready" || line == "ready\r";
      line.clear();
    } else {
      line += c;
    }
  }
  if (ready) std::this_thread::sleep_for(std::chrono::microseconds(micros));
  if (pid > 0 && (!ready || !throughInput || ::write(in[1], "kill\n", 5) != 5)) {
    ::kill(pid, SIGKILL);
  }
  int status = 0;
  while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  for (int fd : {out[0], in[1]}) {
    if (fd >= 0) ::close(fd);
  }
  return ready ? std::optional<int>(status) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const bool wine = argc > 1 && argv[1] == std::string("--wine");
  const long kills = argc > 3 + wine ? std::atol(argv[1 + wine]) : 0;
  if (kills <= 0) {
    std::cerr << "usage: pelorin-crash-test [--wine] KILLS COLLECTION WRITER [ARGUMENT...]\n";
    return 2;
  }
  std::array<Version, 2> versions = MakeVersions(StdFileSystem().ReadFile(argv[2 + wine]).bytes);
  // A SIGKILL leaves the page cache whole, so the disk's own flushing plays
  // no part: the files go to memory when they can, which keeps 1,000 kills
  // well inside a minute. TMPDIR set (to a folder on disk, say) is kept.
  if (fs::is_directory("/dev/shm")) setenv("TMPDIR", "/dev/shm", 0);
  std::mt19937 random(std::random_device{}());
  const fs::path base = fs::temp_directory_path() / ("pelorin-crash-" + std::to_string(random()));
  if (versions[0].kaomoji.empty() || !Prepare(versions, base / "app", base / "versions")) {
    std::cerr << "cannot prepare the files from " << argv[2 + wine] << " in " << base << '\n';
    return 2;
  }
  // The command line, built before any fork: the writer's own, then the two
  // folders as the writer sees them.
  std::vector<std::string> words(argv + 3 + wine, argv + argc);
  for (const char* folder : {"app", "versions"}) {
    words.push_back((wine ? "Z:" : "") + (base / folder).string());
  }
  std::vector<char*> command;
  for (std::string& word : words) command.push_back(word.data());
  command.push_back(nullptr);

  std::signal(SIGPIPE, SIG_IGN);  // a launcher gone: its "kill" fails, SIGKILL follows
  std::uniform_int_distribution<long> moment(0, 2 * RoundMicros(versions, base / "app"));
  const auto started = std::chrono::steady_clock::now();
  Counts counts;
  int failedStarts = 0;  // in a row
  while (counts.kills < kills && counts.writerFailures == 0) {
    const std::optional<int> status = RunAndEnd(command, moment(random), wine);
    if (!status) {
      // Under Wine a process fails to start now and then ("failed to map the
      // shared user data": Debian's wine has no preloader to keep that
      // address free). A writer that ended before "ready" wrote nothing, so
      // it is started again, a few times in a row at most, and counted.
      std::cout << "the writer did not start: " << words[0] << '\n';
      ++(++failedStarts < 3 ? counts.startsRetried : counts.writerFailures);
      continue;
    }
    failedStarts = 0;
    const bool sigkill = WIFSIGNALED(*status) && WTERMSIG(*status) == SIGKILL;
    if (wine && sigkill && ++counts.killedElsewhere <= kills / 100) {
      // Under Wine the launcher is now and then SIGKILLed by someone other
      // than the test (seen only while other Wine programs ran on the same
      // machine). Its writer then ends too (it is in the launcher's job), at
      // a moment nobody chose: the files must be whole all the same.
      std::cout << "the launcher was killed from outside; the files are checked\n";
    } else if (wine ? WIFEXITED(*status) && WEXITSTATUS(*status) == 0 : sigkill) {
      ++counts.kills;
    } else {
      std::cout << "the writer ended by itself (wait status " << *status << ")\n";
      ++counts.writerFailures;
      continue;
    }
    Inspect(versions, base / "app", counts);
  }
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started);
  std::cout << "crash test: " << counts.kills << " kills, " << counts.torn << " torn files, "
            << counts.writerFailures << " writer failures, " << counts.startsRetried
            << " writer starts retried, " << counts.killedElsewhere
            << " launchers killed from outside, " << seconds.count() << " s\n"
            << "  versions seen: kaomoji file (" << versions[0].kaomojiBytes.size() << " bytes) "
            << counts.versionsSeen[0][0] << " and " << counts.versionsSeen[0][1]
            << " times, settings file (" << versions[0].settingsBytes.size() << " bytes) "
            << counts.versionsSeen[1][0] << " and " << counts.versionsSeen[1][1] << " times\n"
            << "  kills during a write, by the temporary file left behind (removed): "
            << counts.temporaryFiles[0] << " of the kaomoji file, " << counts.temporaryFiles[1]
            << " of the settings file\n"
            << counts.kills - counts.torn << " passed, " << counts.torn + counts.writerFailures
            << " failed\n";
  fs::remove_all(base);
  return counts.torn == 0 && counts.writerFailures == 0 ? 0 : 1;
}
