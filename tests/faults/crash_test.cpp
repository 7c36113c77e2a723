// pelorin-crash-test [--kills N] [--seed S] [--writer "COMMAND"]
//                    [--writer-path-prefix PREFIX] [--kill-through-input]
//                    COLLECTION
// Kills a process with SIGKILL at random moments while it saves, in a loop,
// a large kaomoji file and the settings file through Pelorin's own code
// (pelorin-crash-writer), and checks after every kill that each file holds
// exactly one of its two versions, byte for byte, and reads back as that
// version through the program's readers. Temporary files of an unfinished
// write may be left behind; they are counted and removed, never read.
//
// The writer is any command that takes FOLDER VERSIONS, prints "ready" and
// saves until it is ended: by default pelorin-crash-writer beside this
// program, killed with SIGKILL. The same loop runs the MinGW-built writer
// under Wine: --writer "wine .../pelorin-crash-writer.exe" with
// --writer-path-prefix Z: (the writer sees the folders through drive Z);
// with --kill-through-input the command is a launcher that starts the
// writer, passes its "ready" on, and on the line "kill" ends it with
// TerminateProcess and exits with status 0.
// Prints the counts and the closing line "N passed, N failed" (kills).
#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/std_file_system.h"
#include "store/kaomoji_file.h"
#include "store/settings_file.h"
#include "tests/faults/crash_process.h"
#include "tests/faults/crash_versions.h"

namespace {

namespace fs = std::filesystem;
using pelorin::faults::CrashVersion;

struct Options {
  long kills = 1000;
  unsigned seed = std::random_device{}();
  std::vector<std::string> writer;
  std::string prefix;
  bool throughInput = false;
  std::string collection;
};

struct Files {
  fs::path folder;    // the application folder the writer saves into
  fs::path versions;  // the versions it reads
  std::string kaomoji;
  std::string settings;
  std::array<std::string, 2> settingsBytes;  // the settings file of each version
};

struct Counts {
  long kills = 0;
  long torn = 0;
  long writerFailures = 0;
  long startsRetried = 0;  // writers that ended before "ready", started again
  long killedElsewhere = 0;  // launchers SIGKILLed by someone else, files checked
  std::array<long, 2> kaomojiVersion{};
  std::array<long, 2> settingsVersion{};
  long kaomojiTemporaryFiles = 0;   // a kill during the kaomoji file's write
  long settingsTemporaryFiles = 0;  // a kill during the settings file's write
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

bool ParseOptions(int argc, char** argv, Options& options) {
  options.writer = {(fs::path(argv[0]).parent_path() / "pelorin-crash-writer").string()};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--kills" && hasValue) {
      options.kills = std::atol(argv[++i]);
    } else if (arg == "--seed" && hasValue) {
      options.seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    } else if (arg == "--writer" && hasValue) {
      options.writer = Words(argv[++i]);
    } else if (arg == "--writer-path-prefix" && hasValue) {
      options.prefix = argv[++i];
    } else if (arg == "--kill-through-input") {
      options.throughInput = true;
    } else if (arg.starts_with("--") || !options.collection.empty()) {
      return false;
    } else {
      options.collection = arg;
    }
  }
  return !options.collection.empty() && options.kills > 0 && !options.writer.empty();
}

bool WriteWhole(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

Files FilesIn(const fs::path& base) {
  Files files;
  files.folder = base / "app";
  files.versions = base / "versions";
  files.kaomoji = (files.folder / pelorin::faults::kCrashKaomojiFile).string();
  files.settings = (files.folder / pelorin::store::kSettingsFileName).string();
  return files;
}

// Puts version 0 of both files in place and notes the settings file's bytes
// for each version, as the program's own writer makes them.
bool Prepare(const std::array<CrashVersion, 2>& versions, Files& files) {
  pelorin::platform::StdFileSystem std;
  fs::create_directories(files.folder / "data");
  fs::create_directories(files.versions);
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i);
    if (!WriteWhole(files.versions / ("kaomoji" + n), versions[i].kaomojiBytes) ||
        !WriteWhole(files.versions / ("list" + n), versions[i].categoryList)) {
      return false;
    }
  }
  pelorin::store::SettingsFile settings(std, files.settings);
  if (!std.WriteFileAtomic(files.settings, pelorin::faults::CrashStartingSettings(versions[0].categoryList))) return false;
  for (int i : {1, 0}) {
    if (!settings.Write("LIST", "LIST", versions[i].categoryList).ok) return false;
    files.settingsBytes[i] = std.ReadFile(files.settings).bytes;
  }
  return static_cast<bool>(std.WriteFileAtomic(files.kaomoji, versions[0].kaomojiBytes));
}

// The mean time of one round of the writer's loop, measured here with the
// same code, so that the kills spread over a few rounds.
long RoundMicros(const std::array<CrashVersion, 2>& versions, const Files& files) {
  pelorin::platform::StdFileSystem std;
  pelorin::store::SettingsFile settings(std, files.settings);
  constexpr int kRounds = 4;
  const auto started = std::chrono::steady_clock::now();
  for (int i = 0; i < kRounds; ++i) {
    (void)std.WriteFileAtomic(files.kaomoji, versions[i % 2].kaomojiBytes);
    (void)settings.Write("LIST", "LIST", versions[i % 2].categoryList);
  }
  const auto spent = std::chrono::steady_clock::now() - started;
  return std::max<long>(
      200, static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(spent).count()) /
               kRounds);
}

// Which version the bytes are (-1: neither).
int VersionOf(const std::string& bytes, const std::string& zero, const std::string& one) {
  if (bytes == zero) return 0;
  if (bytes == one) return 1;
  return -1;
}

// Removes what unfinished writes left behind, counting it by target.
void RemoveTemporaryFiles(const Files& files, Counts& counts) {
  for (const fs::path& folder : {files.folder, files.folder / "data"}) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".tmp-") == std::string::npos) continue;
      ++(name.starts_with("big.txt") ? counts.kaomojiTemporaryFiles : counts.settingsTemporaryFiles);
      fs::remove(entry.path(), error);
    }
  }
}

// Checks both files after a kill; false when one is torn.
bool Inspect(const std::array<CrashVersion, 2>& versions, const Files& files, Counts& counts) {
  pelorin::platform::StdFileSystem std;
  const std::string kaomoji = std.ReadFile(files.kaomoji).bytes;
  const std::string settings = std.ReadFile(files.settings).bytes;
  const int k = VersionOf(kaomoji, versions[0].kaomojiBytes, versions[1].kaomojiBytes);
  const int s = VersionOf(settings, files.settingsBytes[0], files.settingsBytes[1]);
  bool whole = k >= 0 && s >= 0;
  if (k >= 0) {
    whole = whole && pelorin::store::ParseKaomojiFile(kaomoji).entries == versions[k].kaomoji;
    ++counts.kaomojiVersion[k];
  }
  if (s >= 0) {
    const pelorin::store::SettingsValue list =
        pelorin::store::SettingsFile(std, files.settings).Read("LIST", "LIST");
    whole = whole && list.value == versions[s].categoryList;
    ++counts.settingsVersion[s];
  }
  RemoveTemporaryFiles(files, counts);
  if (!whole) {
    ++counts.torn;
    std::cout << "TORN after kill " << counts.kills << ": kaomoji file " << kaomoji.size()
              << " bytes (version " << k << "), settings file " << settings.size()
              << " bytes (version " << s << ")\n";
  }
  return whole;
}

void Report(const Counts& counts, const Options& options, long round, std::size_t kaomojiBytes,
            std::size_t settingsBytes, double seconds) {
  std::cout << "crash test: " << counts.kills << " kills (seed " << options.seed
            << ", each within " << static_cast<double>(2 * round) / 1000 << " ms of the first write), "
            << counts.torn << " torn files, " << counts.writerFailures << " writer failures, "
            << counts.startsRetried << " writer starts retried, " << counts.killedElsewhere
            << " launchers killed from outside, in "
            << fs::temp_directory_path().string() << ", "
            << static_cast<long>(seconds) << " s\n"
            << "  kaomoji file (" << kaomojiBytes << " bytes): version 0 " << counts.kaomojiVersion[0]
            << " times, version 1 " << counts.kaomojiVersion[1] << " times\n"
            << "  settings file (" << settingsBytes << " bytes): version 0 "
            << counts.settingsVersion[0] << " times, version 1 " << counts.settingsVersion[1]
            << " times\n"
            << "  kills during a write, by the temporary file left behind (removed): "
            << counts.kaomojiTemporaryFiles << " of the kaomoji file, "
            << counts.settingsTemporaryFiles << " of the settings file\n";
  const long failed = counts.torn + counts.writerFailures;
  std::cout << counts.kills - counts.torn << " passed, " << failed << " failed\n";
}

enum class KillOutcome { Killed, NotStarted, KilledElsewhere, EndedByItself };

// Under Wine the launcher is now and then SIGKILLed by someone other than the
// test (seen only while other Wine programs ran on the same machine). Its
// writer then ends too (it is in the launcher's job), at a moment nobody
// chose: the files must be whole all the same, so they are checked like
// after any kill. Only the launcher's own failures end the test.
bool WasKilledElsewhere(const pelorin::faults::CrashProcess& writer, const Options& options) {
  return options.throughInput && writer.Ending() == "signal " + std::to_string(SIGKILL);
}

// One kill: start the writer, wait for it, kill it at a random moment, check.
KillOutcome KillOnce(const Options& options, const Files& files, std::mt19937& random, long round,
              const std::array<CrashVersion, 2>& versions, Counts& counts) {
  std::vector<std::string> argv = options.writer;
  argv.push_back(options.prefix + files.folder.string());
  argv.push_back(options.prefix + files.versions.string());
  pelorin::faults::CrashProcess writer(argv);
  if (!writer.Running() || !writer.WaitReady()) {
    std::cout << "the writer did not start: " << argv[0] << '\n';
    return KillOutcome::NotStarted;
  }
  std::uniform_int_distribution<long> moment(0, 2 * round);
  if (!writer.KillAfter(moment(random), options.throughInput)) {
    if (WasKilledElsewhere(writer, options)) {
      ++counts.killedElsewhere;
      std::cout << "the launcher was killed from outside; the files are checked\n";
      (void)Inspect(versions, files, counts);
      return KillOutcome::KilledElsewhere;
    }
    std::cout << "the writer ended by itself (" << writer.Ending() << ")\n";
    return KillOutcome::EndedByItself;
  }
  ++counts.kills;
  (void)Inspect(versions, files, counts);
  return KillOutcome::Killed;
}

// A SIGKILL leaves the page cache whole, so the disk's own flushing plays no
// part: the folder goes to memory when it can, which keeps 1,000 kills well
// inside a minute. TMPDIR set (to a folder on disk, say) is kept.
void PreferMemoryForTemporaryFiles() {
  std::error_code error;
  if (std::getenv("TMPDIR") == nullptr && fs::is_directory("/dev/shm", error)) {
    setenv("TMPDIR", "/dev/shm", 0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: pelorin-crash-test [--kills N] [--seed S] [--writer \"COMMAND\"] "
                 "[--writer-path-prefix PREFIX] [--kill-through-input] COLLECTION\n";
    return 2;
  }
  std::ifstream in(options.collection, std::ios::binary);
  const std::string collection((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
  const std::array<CrashVersion, 2> versions = pelorin::faults::MakeCrashVersions(collection);
  if (versions[0].kaomoji.empty()) {
    std::cerr << "no kaomoji in " << options.collection << '\n';
    return 2;
  }
  PreferMemoryForTemporaryFiles();
  std::mt19937 random(options.seed);
  const fs::path base = fs::temp_directory_path() / ("pelorin-crash-" + std::to_string(random()));
  Files files = FilesIn(base);
  if (!Prepare(versions, files)) {
    std::cerr << "cannot prepare the files in " << base << '\n';
    return 2;
  }
  const long round = RoundMicros(versions, files);
  const auto started = std::chrono::steady_clock::now();
  Counts counts;
  // Under Wine a process fails to start now and then ("failed to map the
  // shared user data": Debian's wine has no preloader to keep that address
  // free). A writer that ended before "ready" wrote nothing, so it is started
  // again, a few times in a row at most, and counted.
  constexpr int kStartAttempts = 3;
  int failedStarts = 0;
  while (counts.kills < options.kills) {
    const KillOutcome outcome = KillOnce(options, files, random, round, versions, counts);
    if (outcome == KillOutcome::Killed) {
      failedStarts = 0;
    } else if (outcome == KillOutcome::KilledElsewhere &&
               counts.killedElsewhere <= options.kills / 100) {
      failedStarts = 0;
    } else if (outcome == KillOutcome::NotStarted && ++failedStarts < kStartAttempts) {
      ++counts.startsRetried;
    } else {
      ++counts.writerFailures;
      break;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  Report(counts, options, round, versions[0].kaomojiBytes.size(), files.settingsBytes[0].size(),
         seconds);
  std::error_code ignored;
  fs::remove_all(base, ignored);
  return counts.torn == 0 && counts.writerFailures == 0 ? 0 : 1;
}
