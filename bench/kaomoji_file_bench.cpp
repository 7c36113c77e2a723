// Loading and saving a kaomoji file, against the least any program must do
// with the same bytes: read them and decode code page 932 in one call into
// a new string; write them (also: write them and flush them to the disk).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <vector>

#include "bench/bench_data.h"
#include "bench/benchmarks.h"
#include "platform/std_file_system.h"
#include "store/kaomoji_file.h"

namespace pelorin::bench {
namespace {

// One iconv call over the whole text into a buffer of the size the text
// needs (Japanese text: half as long again), so iconv never runs short.
bool DecodeAtOnce(iconv_t decoder, const std::string& bytes, std::string& out) {
  out.resize(bytes.size() + bytes.size() / 2 + 64);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(decoder, nullptr, nullptr, nullptr, nullptr);
  const bool ok = iconv(decoder, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  out.resize(out.size() - outLeft);
  return ok;
}

void LoadBaseline(benchmark::State& state, std::size_t count) {
  const std::string& path = KaomojiFilePath(count);
  iconv_t decoder = iconv_open("UTF-8", "CP932");
  for (auto _ : state) {
    const std::string bytes = PlainRead(path);
    std::string text;
    if (!DecodeAtOnce(decoder, bytes, text)) state.SkipWithError("the file is not code page 932");
    benchmark::DoNotOptimize(text.data());
  }
  iconv_close(decoder);
}

void LoadProgram(benchmark::State& state, std::size_t count) {
  const std::string& path = KaomojiFilePath(count);
  platform::StdFileSystem files;
  for (auto _ : state) {
    platform::ReadResult read = files.ReadFile(path);
    store::KaomojiFileContent content = store::ParseKaomojiFile(read.bytes);
    if (content.entries.size() != count) state.SkipWithError("entries lost");
    benchmark::DoNotOptimize(content.entries.data());
  }
}

void SaveBaseline(benchmark::State& state, std::size_t count) {
  const std::string bytes = store::SerializeKaomojiFile(KaomojiEntries(count));
  const std::string path = BenchFolder() + "/plain-" + std::to_string(count) + ".txt";
  for (auto _ : state) PlainWrite(path, bytes);
}

// The plain write made to reach the disk, as the program's save does.
void SaveBaselineFlushed(benchmark::State& state, std::size_t count) {
  const std::string bytes = store::SerializeKaomojiFile(KaomojiEntries(count));
  const std::string path = BenchFolder() + "/flushed-" + std::to_string(count) + ".txt";
  for (auto _ : state) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        file >= 0 &&
        ::write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        ::fsync(file) == 0;
    if (file >= 0) ::close(file);
    if (!written) state.SkipWithError("the write failed");
  }
}

void SaveProgram(benchmark::State& state, std::size_t count) {
  const std::vector<std::string> entries = KaomojiEntries(count);
  const std::string path = BenchFolder() + "/saved-" + std::to_string(count) + ".txt";
  platform::StdFileSystem files;
  for (auto _ : state) {
    const std::string bytes = store::SerializeKaomojiFile(entries);
    if (!files.WriteFileAtomic(path, bytes)) state.SkipWithError("the save failed");
  }
}

}  // namespace

void RegisterKaomojiFileBenchmarks() {
  for (std::size_t count : {kSmallFile, kLargeFile}) {
    const std::string n = std::to_string(count);
    Register("load/baseline/" + n, LoadBaseline, count);
    Register("load/program/" + n, LoadProgram, count);
    Register("save/baseline/" + n, SaveBaseline, count);
    Register("save/flushed baseline/" + n, SaveBaselineFlushed, count);
    Register("save/program/" + n, SaveProgram, count);
  }
}

}  // namespace pelorin::bench
