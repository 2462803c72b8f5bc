#include "scan/find_signature.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "app/fatal.h"
#include "scan/stream64.h"

namespace bondscope {
namespace {

// The stream is read in large pieces straight into the window buffer: a read
// call per few bytes costs far more than the search itself.  The first read
// of a call is small, because the driver calls again right after each save
// block and saves often stand back to back; each further read doubles, up to
// the whole buffer, so a long stretch without saves is read in big pieces.
constexpr std::size_t kBufferSize = std::size_t{256} * 1024;
constexpr std::size_t kFirstRead = std::size_t{8} * 1024;

// Independent Horspool chains stepped together over adjacent stretches, and
// the stretch per chain below which one chain searches alone.  Four chains
// hide most of the lookup latency; eight measured no faster.
constexpr int kChains = 4;
constexpr std::size_t kMinChainedSpan = 4096;

// One Horspool chain: examines the windows whose last byte lies at `at`,
// `at` + skip, ... while that index is below `limit`.  Returns true with
// `*at` on the last byte of the first match, or false with `*at` on the first
// window end at or past `limit`.
struct pattern_view {
  const unsigned char* bytes;
  std::size_t length;
  unsigned char last;
  const skip_table* skip;
};

inline bool matches_at(const unsigned char* buffer, std::size_t end,
                       const pattern_view& p) {
  // Called only when the window's last byte already equals the pattern's.
  return std::memcmp(buffer + end + 1 - p.length, p.bytes, p.length - 1) == 0;
}

bool run_chain(const unsigned char* buffer, std::size_t* at, std::size_t limit,
               const pattern_view& p) {
  const skip_table& skip = *p.skip;
  std::size_t end = *at;
  while (end < limit) {
    const unsigned char c = buffer[end];
    if (c == p.last && matches_at(buffer, end, p)) {
      *at = end;
      return true;
    }
    end += skip[c];
  }
  *at = end;
  return false;
}

// Searches the windows whose last byte lies in [*at, limit).  A single chain
// is latency-bound: every step waits for the table lookup of the byte the
// previous step landed on.  So a long stretch is cut into kChains adjacent
// parts, each searched by a plain Horspool chain of its own, and the chains
// are stepped together so their lookups overlap.  Chain k starts exactly
// where chain k-1's part ends; a chain that steps past the end of its part
// skips only positions that the next chain examines, so together they see
// every window a single chain would, and the first chain that matches holds
// the leftmost occurrence.
bool search_chained(const unsigned char* buffer, std::size_t* at,
                    std::size_t limit, const pattern_view& p) {
  const std::size_t part = (limit - *at) / kChains;
  std::size_t bound[kChains + 1];
  std::size_t end[kChains];
  for (int k = 0; k < kChains; ++k) {
    bound[k] = *at + part * static_cast<std::size_t>(k);
    end[k] = bound[k];
  }
  bound[kChains] = limit;

  const skip_table& skip = *p.skip;
  const unsigned char last = p.last;
  for (;;) {
    // No step is longer than the pattern, so every chain can take `steps`
    // more steps before any of them can leave its part: the inner loop needs
    // no bounds checks.
    std::size_t steps = SIZE_MAX;
    bool inside = true;
    for (int k = 0; k < kChains; ++k) {
      inside &= end[k] < bound[k + 1];
      if (inside) {
        steps = std::min(steps, (bound[k + 1] - 1 - end[k]) / p.length + 1);
      }
    }
    if (!inside) break;
    for (; steps > 0; --steps) {
      unsigned char c[kChains];
      bool candidate = false;
      for (int k = 0; k < kChains; ++k) {
        c[k] = buffer[end[k]];
        candidate |= c[k] == last;
      }
      if (candidate) {
        // A chain that sees the pattern's last byte gets the full
        // comparison.  Chain k matching leaves only the chains before it
        // able to hold an earlier occurrence.
        for (int k = 0; k < kChains; ++k) {
          if (c[k] != last || !matches_at(buffer, end[k], p)) continue;
          for (int j = 0; j < k; ++j) {
            if (run_chain(buffer, &end[j], bound[j + 1], p)) {
              *at = end[j];
              return true;
            }
          }
          *at = end[k];
          return true;
        }
      }
      for (int k = 0; k < kChains; ++k) end[k] += skip[c[k]];
    }
  }
  // Some chain has left its part; finish each in order.  The last chain's
  // final position is where the search continues after this buffer.
  for (int k = 0; k < kChains; ++k) {
    if (run_chain(buffer, &end[k], bound[k + 1], p)) {
      *at = end[k];
      return true;
    }
  }
  *at = end[kChains - 1];
  return false;
}

bool search_buffer(const unsigned char* buffer, std::size_t* at,
                   std::size_t limit, const pattern_view& p) {
  if (*at >= limit || limit - *at < kChains * kMinChainedSpan) {
    return run_chain(buffer, at, limit, p);
  }
  return search_chained(buffer, at, limit, p);
}

}  // namespace

skip_table build_skip_table(const unsigned char* pattern, std::size_t length) {
  skip_table table;
  table.fill(length);
  for (std::size_t j = 0; j + 1 < length; ++j) {
    table[pattern[j]] = length - 1 - j;
  }
  return table;
}

std::size_t window_buffer_size(std::size_t length) {
  // Room for at least one full read beside the retained window tail, also
  // for patterns far longer than the save signature.
  return std::max(kBufferSize, 16 * length);
}

bool find_signature(std::FILE* stream, const unsigned char* pattern,
                    std::size_t length) {
  // Measure the end once, so that bytes appended while the search runs are
  // never examined and the search always terminates.
  const std::int64_t start = tell64(stream);
  if (seek64(stream, 0, SEEK_END) != 0) fatal("Fatal error in fseek():");
  const std::int64_t end_offset = tell64(stream);
  if (seek64(stream, start, SEEK_SET) != 0) fatal("Fatal error in fseek():");

  const skip_table skip = build_skip_table(pattern, length);
  const pattern_view view{pattern, length, pattern[length - 1], &skip};

  const std::size_t capacity = window_buffer_size(length);
  std::unique_ptr<unsigned char[]> buffer(
      new (std::nothrow) unsigned char[capacity]);
  if (!buffer) fatal("Fatal error in malloc()");

  // Bytes the search may still read: up to the end measured above.
  std::uint64_t remaining =
      end_offset > start ? static_cast<std::uint64_t>(end_offset - start) : 0;
  std::int64_t base = start;    // stream offset of buffer[0]
  std::size_t filled = 0;       // bytes of the buffer holding stream data
  std::size_t at = length - 1;  // buffer index of the next window's last byte
  std::size_t next_read = kFirstRead;

  for (;;) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(
        remaining, std::min(capacity - filled, next_read)));
    if (want > 0) {
      const std::size_t got =
          std::fread(buffer.get() + filled, 1, want, stream);
      if (got < want) {
        if (std::ferror(stream)) fatal("Fatal error in fread():");
        remaining = 0;  // the file shrank: stop at what is really there
      } else {
        remaining -= got;
      }
      filled += got;
      next_read = std::min(next_read * 2, capacity);
    }
    // Only windows wholly inside the bytes read are compared.
    if (search_buffer(buffer.get(), &at, filled, view)) {
      const std::int64_t found =
          base + static_cast<std::int64_t>(at + 1 - length);
      if (seek64(stream, found, SEEK_SET) != 0)
        fatal("Fatal error in fseek():");
      return true;
    }
    if (remaining == 0) break;
    // Keep the last length - 1 bytes: every window not yet examined ends at
    // or after `filled`, so it begins no earlier than that.
    const std::size_t keep = std::min(filled, length - 1);
    const std::size_t dropped = filled - keep;
    std::memmove(buffer.get(), buffer.get() + dropped, keep);
    base += static_cast<std::int64_t>(dropped);
    at -= dropped;
    filled = keep;
  }

  if (seek64(stream, start, SEEK_SET) != 0) fatal("Fatal error in fseek():");
  return false;
}

}  // namespace bondscope
