// Fuzz target: the signature search against a byte-by-byte scan.
//
// The input is an 8-byte header, then (unless the pattern is taken from the
// data) the pattern's bytes, then the tail; missing header bytes read as 0.
//
//   byte 0     bits 0-3: pattern length - 1 (1 to 16 bytes)
//              bit 4: take the pattern from the data, at the place bytes 4-5
//                     give, so that it occurs at least once
//              bit 5: stretch with the filler byte instead of copies of the
//                     tail
//   byte 1     below 0xF0: the data is the tail alone; from 0xF0: the low
//              three bits pick a stretch length, and the tail follows that
//              many bytes of stretch (copies of the tail, or the filler);
//              long data costs time, so most runs go without
//   bytes 2-3  the start offset: n / 65536 of the data's length plus one,
//              so that it may also be the end of the data
//   bytes 4-5  where the pattern is taken from: n / 65536 of the length
//   byte 6     the filler byte
//   byte 7     moves the tail 8 bytes earlier per unit, up to 2040 bytes
//
// The search reads its stream in growing pieces through a fixed buffer that
// it reuses and searches several stretches of at once, so long data whose
// interesting part lies at various distances from the start is what reaches
// the piece and buffer boundaries; the stretch lengths straddle a good many
// of them, up to past the start of the fifth piece.
//
// The data goes into a real seekable stream; the search starts at the start
// offset and, when it finds an occurrence, runs once more on the same stream
// from one byte after it, as the driver goes on after a save.  Each result,
// the position found and the stream's final position, found or not, must be
// what the scan gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "fuzz_stream.h"
#include "scan/find_signature.h"
#include "scan/stream64.h"

namespace {

using bytes = std::vector<unsigned char>;

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kStretch[8] = {0,     8192,  16384,  24576,
                                     40000, 57344, 122880, 130000};

// The reference for the search's result, kept out of the fuzzer's coverage
// and sanitizer instrumentation: it would only slow each run down and steer
// the fuzzer towards the reference instead of the code under test.
#if defined(__clang__)
#define BONDSCOPE_REFERENCE \
  __attribute__((no_sanitize("address", "undefined", "coverage")))
#else
#define BONDSCOPE_REFERENCE
#endif

// Where the leftmost occurrence at or after `from` starts, or -1: every
// start position in turn, those whose first byte differs passed over by
// memchr.
BONDSCOPE_REFERENCE std::int64_t scan(const unsigned char* data,
                                      std::size_t size,
                                      const unsigned char* pattern,
                                      std::size_t length, std::size_t from) {
  std::size_t at = from;
  while (at + length <= size) {
    const void* hit =
        std::memchr(data + at, pattern[0], size - length + 1 - at);
    if (hit == nullptr) break;
    at =
        static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data);
    std::size_t i = 1;
    while (i < length && data[at + i] == pattern[i]) ++i;
    if (i == length) return static_cast<std::int64_t>(at);
    ++at;
  }
  return -1;
}

// `fraction` / 65536 of `n`, rounded down: every offset below `n` can be
// reached while `n` is at most 65536.
std::size_t scaled(unsigned fraction, std::size_t n) {
  return static_cast<std::size_t>((static_cast<std::uint64_t>(fraction) * n) >>
                                  16);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input,
                                      std::size_t size) {
  unsigned char h[kHeaderSize] = {};
  std::memcpy(h, input, std::min(size, kHeaderSize));
  const std::uint8_t* rest = input + std::min(size, kHeaderSize);
  std::size_t rest_size = size - std::min(size, kHeaderSize);

  std::size_t m = (h[0] & 0x0F) + 1u;
  const bool pattern_from_data = (h[0] & 0x10) != 0;
  const bool filler_stretch = (h[0] & 0x20) != 0;
  const std::size_t stretch = h[1] >= 0xF0 ? kStretch[h[1] & 7] : 0;
  const unsigned start_fraction = h[2] | h[3] << 8;
  const unsigned source_fraction = h[4] | h[5] << 8;
  const unsigned char filler = h[6];
  const std::size_t back = std::size_t{8} * h[7];

  bytes pattern;
  if (!pattern_from_data) {
    m = std::min(m, rest_size);
    pattern.assign(rest, rest + m);
    rest += m;
    rest_size -= m;
  }
  const bytes tail(rest, rest + rest_size);

  // Kept from run to run: a fresh allocation of up to 600 KB each time would
  // cost more than the search itself.
  static bytes data;
  data.clear();
  const std::size_t lead = stretch - std::min(stretch, back);
  if (filler_stretch || tail.empty()) {
    data.assign(lead, filler);
  } else {
    while (data.size() < lead) {
      data.insert(data.end(), tail.begin(),
                  tail.begin() + static_cast<std::ptrdiff_t>(std::min(
                                     tail.size(), lead - data.size())));
    }
  }
  data.insert(data.end(), tail.begin(), tail.end());

  if (pattern_from_data && !data.empty()) {
    const std::size_t from = scaled(source_fraction, data.size());
    m = std::min(m, data.size() - from);
    pattern.assign(data.begin() + static_cast<std::ptrdiff_t>(from),
                   data.begin() + static_cast<std::ptrdiff_t>(from + m));
  }
  if (pattern.empty()) pattern.assign(1, filler);  // no bytes left for one

  std::FILE* stream = fuzz::open_reader(data);
  std::size_t start = scaled(start_fraction, data.size() + 1);
  for (int call = 0; call < 2; ++call) {
    if (bondscope::seek64(stream, static_cast<std::int64_t>(start), SEEK_SET) !=
        0) {
      fuzz::fail("seek to the start offset");
    }
    const bool found =
        bondscope::find_signature(stream, pattern.data(), pattern.size());
    const std::int64_t position = bondscope::tell64(stream);
    const std::int64_t expected =
        scan(data.data(), data.size(), pattern.data(), pattern.size(), start);
    if (found != (expected >= 0)) {
      std::fprintf(stderr,
                   "start %zu, pattern of %zu, data of %zu: found %d, the "
                   "scan finds %lld\n",
                   start, pattern.size(), data.size(), found ? 1 : 0,
                   static_cast<long long>(expected));
      fuzz::fail("found or not found differs from the scan");
    }
    if (!found) {
      if (position != static_cast<std::int64_t>(start)) {
        fuzz::fail("not found, but the stream is not back at the start");
      }
      break;
    }
    if (position != expected) {
      std::fprintf(stderr, "start %zu: found at %lld, the scan at %lld\n",
                   start, static_cast<long long>(position),
                   static_cast<long long>(expected));
      fuzz::fail("found at a different position than the scan");
    }
    start = static_cast<std::size_t>(expected) + 1;
  }
  std::fclose(stream);
  return 0;
}
