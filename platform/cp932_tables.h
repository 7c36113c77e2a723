#pragma once
// Code page 932 as lookup tables, read once from glibc's iconv (plus Windows'
// five extra single bytes) by asking it about every byte, every pair of bytes
// and every character it can read. The host codec converts with these tables
// instead of calling iconv for every text: it behaves exactly as the
// conversions on iconv did, at the cost of a table lookup a character.

#include <array>
#include <cstdint>
#include <vector>

namespace pelorin::platform {

// One decoded character as ready UTF-8; size 0 means "no character". Every
// code page 932 character lies in the basic plane, so 3 bytes are enough.
struct Utf8Char {
  char bytes[3] = {};
  std::uint8_t size = 0;
};

class Cp932Tables {
 public:
  // Encoded() for a character that does not round-trip. Not a code of the
  // table: a lone byte is below 0x100, and 0xFF starts no pair.
  static constexpr std::uint16_t kNotEncodable = 0xFFFF;

  // Whether a byte may begin a two-byte character.
  bool StartsPair(unsigned char byte) const { return rowOfLead_[byte] != 0; }

  // The character of a lead byte and the byte after it; size 0 when the pair
  // is not assigned or `lead` begins no pair.
  const Utf8Char& Pair(unsigned char lead, unsigned char trail) const {
    return rows_[rowOfLead_[lead]][trail];
  }

  // The character of a byte read on its own: a single-byte character, or a
  // byte that begins no valid pair here. Size 0: it cannot start a character.
  const Utf8Char& Alone(unsigned char byte) const { return alone_[byte]; }

  // The bytes written for a character of the basic plane (below 0x100 one
  // byte, else lead << 8 | trail), or kNotEncodable.
  std::uint16_t Encoded(char16_t character) const { return encoded_[character]; }

 private:
  friend class Cp932TableBuilder;

  std::array<Utf8Char, 256> alone_{};
  std::array<std::uint16_t, 256> rowOfLead_{};   // 0: the empty row
  std::vector<std::array<Utf8Char, 256>> rows_;  // by lead byte; rows_[0] stays empty
  std::vector<std::uint16_t> encoded_;           // 0x10000 entries
};

// The tables, built on first use (thread-safe); nullptr when iconv has no
// CP932 converter. Bytes 0x00-0x7F are ASCII both ways in them, so runs of
// ASCII may be copied unchanged.
const Cp932Tables* Cp932TablesFromIconv();

}  // namespace pelorin::platform
