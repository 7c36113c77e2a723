#include "bench/bench_data.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include "platform/sim/temp_folder.h"
#include "platform/text_codec.h"
#include "store/kaomoji_file.h"

namespace pelorin::bench {

const std::vector<std::string>& Cp932CorpusEntries() {
  static const std::vector<std::string> entries = [] {
    std::ifstream in(PELORIN_CORPUS, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the corpus " PELORIN_CORPUS);
    std::vector<std::string> kept;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && platform::IsCp932Representable(line)) kept.push_back(line);
    }
    return kept;
  }();
  return entries;
}

std::vector<std::string> KaomojiEntries(std::size_t count) {
  const std::vector<std::string>& corpus = Cp932CorpusEntries();
  std::vector<std::string> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) entries.push_back(corpus[i % corpus.size()]);
  return entries;
}

const std::string& BenchFolder() {
  static const sim::TempFolder folder("bench");
  return folder.Path();
}

const std::string& KaomojiFilePath(std::size_t count) {
  static std::map<std::size_t, std::string> paths;
  auto [found, added] = paths.try_emplace(count);
  if (added) {
    found->second = BenchFolder() + "/kaomoji-" + std::to_string(count) + ".txt";
    PlainWrite(found->second, store::SerializeKaomojiFile(KaomojiEntries(count)));
  }
  return found->second;
}

std::string PlainRead(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("cannot open " + path);
  std::fseek(file, 0, SEEK_END);
  std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::fseek(file, 0, SEEK_SET);
  const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  bytes.resize(read);
  return bytes;
}

void PlainWrite(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot create " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  if (std::fclose(file) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace pelorin::bench
