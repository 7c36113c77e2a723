#pragma once
// The data the benchmarks work on: real kaomoji from the public corpus (the
// entries code page 932 can hold, repeated to the size asked for), written
// once into a temporary folder that lives as long as the program.

#include <cstddef>
#include <string>
#include <vector>

namespace pelorin::bench {

// The corpus entries that round-trip through code page 932, in their order.
const std::vector<std::string>& Cp932CorpusEntries();

// `count` entries: the corpus entries over and over.
std::vector<std::string> KaomojiEntries(std::size_t count);

// A folder for the benchmarks' files (UTF-8 path, '/'-separated).
const std::string& BenchFolder();

// The kaomoji file of `count` entries as the program writes it, in
// BenchFolder(); written on first use.
const std::string& KaomojiFilePath(std::size_t count);

// Plain file access, the baselines' own: no checks beyond the C library's.
std::string PlainRead(const std::string& path);
void PlainWrite(const std::string& path, const std::string& bytes);

}  // namespace pelorin::bench
