#include "scan/find_signature.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "fixture/save_builder.h"
#include "fixture/temp_file.h"
#include "scan/stream64.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace bondscope {
namespace {

using fixture::bytes;

const bytes& signature() { return fixture::signature(); }

bytes text(const std::string& s) { return bytes(s.begin(), s.end()); }

bytes concat(std::initializer_list<bytes> parts) {
  bytes out;
  for (const bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

bytes junk(std::uint64_t n, std::uint64_t seed = 1) {
  return fixture::image().junk(n, seed).contents();
}

// The first `n` bytes of `b`.
bytes prefix(const bytes& b, std::size_t n) {
  return bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
}

// The answer find_signature must give: the leftmost occurrence at or after
// `start`, found by comparing at every offset, or -1.
std::int64_t naive_find(const bytes& input, std::uint64_t start,
                        const bytes& pattern) {
  for (std::uint64_t at = start; at + pattern.size() <= input.size(); ++at) {
    std::size_t i = 0;
    while (i < pattern.size() && input[at + i] == pattern[i]) ++i;
    if (i == pattern.size()) return static_cast<std::int64_t>(at);
  }
  return -1;
}

struct outcome {
  bool found;
  std::int64_t position;  // the stream's position after the call
};

bool operator==(const outcome& a, const outcome& b) {
  return a.found == b.found && a.position == b.position;
}

void PrintTo(const outcome& o, std::ostream* os) {
  *os << (o.found ? "found, at " : "not found, at ") << o.position;
}

outcome search(std::FILE* f, std::uint64_t start, const bytes& pattern) {
  EXPECT_EQ(seek64(f, static_cast<std::int64_t>(start), SEEK_SET), 0);
  const bool found = find_signature(f, pattern.data(), pattern.size());
  return {found, tell64(f)};
}

outcome search(const bytes& input, std::uint64_t start, const bytes& pattern) {
  const fixture::temp_file f = fixture::make_temp_file(input);
  return search(f.get(), start, pattern);
}

// What a correct search reports: the occurrence, or the start offset.
outcome expected(std::int64_t occurrence, std::uint64_t start) {
  if (occurrence < 0) return {false, static_cast<std::int64_t>(start)};
  return {true, occurrence};
}

TEST(SkipTableTest, Distances) {
  struct case_t {
    const char* what;
    bytes pattern;
    std::size_t others;  // the distance of every byte not listed
    std::vector<std::pair<unsigned char, std::size_t>> listed;
  };
  const case_t cases[] = {
      // The last byte 0x56 occurs nowhere else, so it keeps the full length.
      {"save signature",
       signature(),
       10,
       {{0x53, 9}, {0x43, 8}, {0x11, 7}, {0x01, 6}, {0x65, 2}, {0x82, 1}}},
      // Repeated bytes keep the distance of their last occurrence before the
      // final position; the final byte 'b' keeps the one from position 1.
      {"abcab", text("abcab"), 5, {{'a', 1}, {'b', 3}, {'c', 2}}},
      {"aaaa", text("aaaa"), 4, {{'a', 1}}},
      {"one byte", text("x"), 1, {}},
      {"xyy", text("xyy"), 3, {{'x', 2}, {'y', 1}}},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    const skip_table table =
        build_skip_table(c.pattern.data(), c.pattern.size());
    for (int b = 0; b < 256; ++b) {
      std::size_t want = c.others;
      for (const auto& [byte, distance] : c.listed) {
        if (byte == b) want = distance;
      }
      EXPECT_EQ(table[static_cast<std::size_t>(b)], want) << "byte " << b;
    }
  }
}

TEST(FindSignatureTest, Contract) {
  struct case_t {
    const char* what;
    bytes input;
    std::uint64_t start;
    bytes pattern;
    std::int64_t occurrence;  // -1: not found
  };
  const bytes& sig = signature();
  const case_t cases[] = {
      {"empty input", {}, 0, sig, -1},
      {"pattern longer than the input", prefix(sig, 9), 0, sig, -1},
      {"start offset at the end", sig, 10, sig, -1},
      {"start offset past the end", sig, 25, sig, -1},
      {"fewer than length bytes left, the pattern's first bytes",
       concat({junk(20), prefix(sig, 9)}), 20, sig, -1},
      {"fewer than length bytes left of a whole occurrence", sig, 1, sig, -1},
      {"at the first byte", concat({sig, junk(30)}), 0, sig, 0},
      {"at a non-zero start offset", concat({junk(7), sig, junk(5)}), 7, sig,
       7},
      {"after the start offset", concat({junk(7), sig, junk(5)}), 3, sig, 7},
      {"the only occurrence lies before the start offset",
       concat({sig, junk(40)}), 1, sig, -1},
      {"ends on the stream's last byte", concat({junk(100), sig}), 0, sig, 100},
      {"the whole input", sig, 0, sig, 0},
      {"leftmost of two", concat({junk(50), sig, junk(9), sig}), 0, sig, 50},
      {"the second of two, starting past the first",
       concat({junk(50), sig, junk(9), sig}), 51, sig, 69},
      {"back to back", concat({sig, sig}), 1, sig, 10},
      // Self-overlapping patterns: the occurrence that starts first wins.
      {"overlapping abab", text("xxabababx"), 0, text("abab"), 2},
      {"overlapping abab, start inside", text("xxabababx"), 3, text("abab"), 4},
      {"overlapping aaa", text("aaaaa"), 0, text("aaa"), 0},
      {"overlapping aaa, start 2", text("aaaaa"), 2, text("aaa"), 2},
      {"overlapping aaa, too few left", text("aaaaa"), 3, text("aaa"), -1},
      {"one-byte pattern", text("abcdef"), 2, text("e"), 4},
      {"one-byte pattern, last byte", text("abcdef"), 0, text("f"), 5},
      {"one-byte pattern, absent", text("abcdef"), 0, text("z"), -1},
      // A window whose last byte matches but whose front does not.
      {"near misses only",
       concat({text("\x54\x43\x11\x01\x82\x65\x82\x65\x82\x56"),
               text("\x53\x43\x11\x01\x82\x65\x82\x66\x82\x56")}),
       0, sig, -1},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(search(c.input, c.start, c.pattern),
              expected(c.occurrence, c.start));
  }
}

// An input that ends in the first 1 to 9 bytes of the signature holds no
// occurrence there, whatever the search's buffer holds beyond the bytes read.
TEST(FindSignatureTest, PartialSignatureAtTheEnd) {
  const bytes& sig = signature();
  for (std::size_t k = 1; k < sig.size(); ++k) {
    SCOPED_TRACE("last " + std::to_string(k) + " bytes");
    const bytes before_sig = concat({junk(64, k), prefix(sig, k)});
    const bytes after_sig = concat({sig, junk(64, k), prefix(sig, k)});
    for (const std::uint64_t start : {0, 13, 63}) {
      EXPECT_EQ(search(before_sig, start, sig), expected(-1, start));
    }
    EXPECT_EQ(search(after_sig, 0, sig), expected(0, 0));
    EXPECT_EQ(search(after_sig, 1, sig), expected(-1, 1));
  }
}

// Background for the long inputs: random bytes among which the signature's
// own bytes (0x53 excepted, so no signature forms by chance) are common, so
// that many windows end on 0x56 or take the short skips of 0x82 and 0x65.
bytes busy_background(std::size_t n, std::uint32_t seed) {
  static constexpr unsigned char kCommon[] = {0x43, 0x11, 0x01, 0x82,
                                              0x65, 0x82, 0x65, 0x56};
  std::mt19937 rng(seed);
  bytes out(n);
  for (unsigned char& b : out) {
    const std::uint32_t r = rng();
    b = (r & 1) ? kCommon[(r >> 1) % sizeof kCommon]
                : static_cast<unsigned char>(r >> 8);
    if (b == 0x53) b = 0x52;
  }
  return out;
}

// Writes `data` over the temporary file's bytes at `offset`.
void overwrite(std::FILE* f, std::uint64_t offset, const bytes& data) {
  ASSERT_EQ(seek64(f, static_cast<std::int64_t>(offset), SEEK_SET), 0);
  ASSERT_EQ(std::fwrite(data.data(), 1, data.size(), f), data.size());
  ASSERT_EQ(std::fflush(f), 0);
}

// Moves one occurrence of `pattern` through the file's background bytes from
// `start` to `start` + `span`, `stride` bytes at a time, and searches from
// `start` each time.  Every search starts at the same offset over the same
// bytes before the occurrence, so it reads and divides its buffers the same
// way each time while the occurrence passes through those boundaries.
void sweep_occurrence(const bytes& background, const bytes& pattern,
                      std::uint64_t start, std::uint64_t span,
                      std::uint64_t stride) {
  ASSERT_LE(start + span + pattern.size(), background.size());
  ASSERT_EQ(naive_find(background, 0, pattern), -1);
  const fixture::temp_file f = fixture::make_temp_file(background);
  for (std::uint64_t at = start; at <= start + span; at += stride) {
    overwrite(f.get(), at, pattern);
    const outcome got = search(f.get(), start, pattern);
    const auto from = background.begin() + static_cast<std::ptrdiff_t>(at);
    overwrite(f.get(), at,
              bytes(from, from + static_cast<std::ptrdiff_t>(pattern.size())));
    const outcome want = expected(static_cast<std::int64_t>(at), start);
    if (!(got == want)) {
      ADD_FAILURE() << "occurrence at " << at << ": got "
                    << testing::PrintToString(got);
      return;  // one report is enough; the neighbours fail the same way
    }
  }
}

// The occurrence at every offset of a stretch a quarter of the window buffer
// long.  The search reads in growing pieces and splits long buffers between
// several chains; the occurrence's last byte falls once on every position,
// so on, just before and just after each read boundary and each chain's
// start within the stretch.
TEST(FindSignatureTest, OccurrenceAtEveryOffsetOfTheFirstReads) {
  const bytes& sig = signature();
  const std::size_t span = window_buffer_size(sig.size()) / 4;
  sweep_occurrence(busy_background(span + 100, 7), sig, 5, span, 1);
}

// Inputs several window buffers long.  Whatever the sizes of the reads and
// of the chains' stretches, an occurrence of a pattern of length L placed
// every L - 1 bytes straddles every boundary past the first L bytes: one of
// them starts within the L - 1 offsets before it.
TEST(FindSignatureTest, OccurrencesStraddleEveryBoundary) {
  const std::size_t window = window_buffer_size(signature().size());
  std::mt19937 rng(11);
  for (const std::size_t length : {101, 1031}) {
    SCOPED_TRACE("pattern of " + std::to_string(length) + " bytes");
    ASSERT_EQ(window_buffer_size(length), window);
    bytes pattern(length);
    for (unsigned char& b : pattern) b = static_cast<unsigned char>(rng());
    const std::size_t span = 3 * window + window / 2;
    sweep_occurrence(busy_background(span + 2 * length, 3), pattern, 17, span,
                     length - 1);
  }
}

// Long inputs without an occurrence, ending in a partial one or in a whole
// one on the last byte, and the leftmost of many occurrences far out.
TEST(FindSignatureTest, LongInputs) {
  const bytes& sig = signature();
  const std::size_t window = window_buffer_size(sig.size());
  const bytes none = busy_background(2 * window + 12345, 5);
  const bytes partial = concat({none, prefix(sig, 9)});
  const bytes at_end = concat({none, sig});
  bytes many = none;
  for (std::size_t at = window + 777; at + sig.size() <= many.size();
       at += 4093) {
    std::copy(sig.begin(), sig.end(), many.begin() + static_cast<long>(at));
  }
  struct case_t {
    const char* what;
    const bytes& input;
    std::uint64_t start;
  };
  const case_t cases[] = {
      {"no occurrence", none, 0},
      {"no occurrence, start inside", none, 3000},
      {"partial occurrence at the end", partial, 0},
      {"partial occurrence at the end, start inside", partial, window - 1},
      {"occurrence on the last byte", at_end, 0},
      {"occurrence on the last byte, start inside", at_end, window + 1},
      {"many occurrences", many, 0},
      {"many occurrences, start on one", many, window + 777},
      {"many occurrences, start just past one", many, window + 778},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(search(c.input, c.start, sig),
              expected(naive_find(c.input, c.start, sig), c.start));
  }
}

// find_signature against the byte-by-byte scan on random inputs over small
// alphabets, where partial matches are everywhere, with occurrences planted
// whole, overlapping and cut short, and random start offsets.
TEST(FindSignatureTest, AgreesWithByteByByteScan) {
  std::mt19937_64 rng(20240601);
  const auto below = [&rng](std::uint64_t n) { return rng() % n; };
  const std::size_t window = window_buffer_size(16);

  for (int trial = 0; trial < 3000; ++trial) {
    // A few alphabet letters; the pattern is drawn from the same ones.
    const std::size_t letters = 1 + below(4);
    bytes alphabet(letters);
    for (unsigned char& b : alphabet) b = static_cast<unsigned char>(rng());
    const auto letter = [&] { return alphabet[below(letters)]; };

    bytes pattern(1 + below(16));
    if (below(3) == 0) {
      // Self-overlapping: a short unit repeated.
      const std::size_t unit = 1 + below(3);
      for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = i < unit ? letter() : pattern[i - unit];
      }
    } else {
      for (unsigned char& b : pattern) b = letter();
    }

    // Mostly short inputs; every 50th several window buffers long.
    const std::size_t size =
        trial % 50 == 0 ? window + below(2 * window) : below(600);
    bytes input(size);
    for (unsigned char& b : input) b = letter();
    const std::size_t plants = below(4);
    for (std::size_t p = 0; p < plants && !input.empty(); ++p) {
      const std::size_t at = below(input.size());
      std::size_t n = pattern.size();
      if (below(3) == 0) n = below(n);  // cut short
      for (std::size_t i = 0; i < n && at + i < input.size(); ++i) {
        input[at + i] = pattern[i];
      }
      // Overlapping: a second copy one period further on.
      if (below(2) == 0) {
        const std::size_t shift = 1 + below(pattern.size());
        for (std::size_t i = 0; i < n && at + shift + i < input.size(); ++i) {
          input[at + shift + i] = pattern[i];
        }
      }
    }
    if (below(4) == 0 && !input.empty()) {
      // End the input with a partial occurrence.
      const std::size_t n = std::min(input.size(), below(pattern.size()));
      std::copy(pattern.begin(), pattern.begin() + static_cast<long>(n),
                input.end() - static_cast<long>(n));
    }

    const fixture::temp_file f = fixture::make_temp_file(input);
    for (int s = 0; s < 4; ++s) {
      const std::uint64_t start = s == 0 ? 0 : below(input.size() + 3);
      const outcome got = search(f.get(), start, pattern);
      const outcome want = expected(naive_find(input, start, pattern), start);
      if (!(got == want)) {
        ADD_FAILURE() << "trial " << trial << ", input of " << input.size()
                      << " bytes, pattern of " << pattern.size()
                      << " bytes, start " << start << ": got "
                      << testing::PrintToString(got) << ", expected "
                      << testing::PrintToString(want);
        return;
      }
    }
  }
}

#if !defined(_WIN32)
// A pipe cannot seek: the search fails when it measures the end.
TEST(FindSignatureDeathTest, StreamThatCannotSeek) {
  EXPECT_EXIT(
      {
        int fds[2];
        if (pipe(fds) != 0) std::abort();
        const bytes& sig = signature();
        if (write(fds[1], sig.data(), sig.size()) < 0) std::abort();
        close(fds[1]);
        std::FILE* in = fdopen(fds[0], "rb");
        if (in == nullptr) std::abort();
        find_signature(in, sig.data(), sig.size());
      },
      testing::ExitedWithCode(1), "Fatal error in fseek\\(\\): Illegal seek");
}
#endif

}  // namespace
}  // namespace bondscope
