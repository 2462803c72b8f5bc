// Fuzz target: the block decoder and every report writer on arbitrary blocks.
//
// The input, cut or padded with zeros to 8192 bytes, is one save block.  It is
// held in an allocation of exactly that size, so a read outside the block is
// caught by AddressSanitizer.  The block is decoded and its report written as
// the driver writes it, with no option, -t, -s and -ts.  Each report must
// have the lines its options call for, in order: the title line (-t), the
// affection table (a header and four lines), the status table (-s: a header
// and nine lines), and the empty line.  Each name must be at most 48 bytes
// (12 codes of at most 4 bytes) of text that the name code table produces,
// without a trailing blank, and lead the lines of its character padded to 12
// bytes; each figure must stand in its field as the unsigned number it is.
// The title line must hold the title with no control byte in it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_stream.h"
#include "report/report.h"
#include "save/affection.h"
#include "save/name_codes.h"
#include "save/save_block.h"

namespace {

using bondscope::save_summary;
using fuzz::fail;

constexpr std::size_t kLongestName = 12 * 4;

// The table's entries by their first byte.  Every entry is one ASCII byte,
// two bytes led by a Shift-JIS lead byte, or XIII, whose letters are entries
// of their own, so matching any entry at each position never reaches a dead
// end on text that the table produced.
const std::array<std::vector<std::string_view>, 256>& entries_by_first_byte() {
  static const auto index = [] {
    std::array<std::vector<std::string_view>, 256> by_first{};
    for (std::string_view e : bondscope::name_code_table()) {
      if (e.empty()) fail("empty entry in the name code table");
      by_first[static_cast<unsigned char>(e[0])].push_back(e);
    }
    return by_first;
  }();
  return index;
}

bool is_table_text(std::string_view text) {
  const auto& by_first = entries_by_first_byte();
  std::size_t i = 0;
  while (i < text.size()) {
    const std::string_view rest = text.substr(i);
    std::size_t used = 0;
    for (std::string_view e : by_first[static_cast<unsigned char>(rest[0])]) {
      if (rest.substr(0, e.size()) == e) {
        used = e.size();
        break;
      }
    }
    if (used == 0) return false;
    i += used;
  }
  return true;
}

bool is_control_byte(unsigned char c) {
  return (c >= 0x01 && c <= 0x1F) || c == 0x7F;
}

// Reads one line of a report, checking its pieces from left to right.
class line_reader {
 public:
  explicit line_reader(std::string_view line) : rest_(line) {}

  void literal(std::string_view text, const char* what) {
    if (rest_.substr(0, text.size()) != text) fail(what);
    rest_.remove_prefix(text.size());
  }

  // `name`, padded with blanks to 12 bytes when it is shorter.
  void name(const std::string& name) {
    literal(name, "a line does not start with its character's name");
    for (std::size_t n = name.size(); n < 12; ++n) {
      literal(" ", "a name is not padded to 12 bytes");
    }
  }

  // A right-aligned unsigned decimal field of exactly `width` bytes.
  void field(std::size_t width, std::uint64_t value) {
    if (rest_.size() < width) fail("a line ends inside a field");
    const std::string_view f = rest_.substr(0, width);
    std::size_t i = 0;
    while (i < width && f[i] == ' ') ++i;
    if (i == width) fail("an empty field");
    std::uint64_t got = 0;
    for (; i < width; ++i) {
      if (f[i] < '0' || f[i] > '9') fail("a field is not an unsigned number");
      got = got * 10 + static_cast<std::uint64_t>(f[i] - '0');
    }
    if (got != value) fail("a field does not hold its figure");
    rest_.remove_prefix(width);
  }

  void end() {
    if (!rest_.empty()) fail("a line goes on after its last field");
  }

 private:
  std::string_view rest_;
};

std::vector<std::string_view> split_lines(std::string_view text) {
  if (text.empty() || text.back() != '\n') fail("a report does not end a line");
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    lines.push_back(text.substr(0, nl));
    text.remove_prefix(nl + 1);
  }
  return lines;
}

void check_title_line(std::string_view line, const std::string& title) {
  if (line.size() != title.size() + 2 || line.front() != '[' ||
      line.back() != ']') {
    fail("the title line is not the title in square brackets");
  }
  const std::string_view inside = line.substr(1, title.size());
  for (std::size_t i = 0; i < inside.size(); ++i) {
    const auto c = static_cast<unsigned char>(inside[i]);
    if (c == 0 || is_control_byte(c)) fail("a control byte in the title line");
    // Control bytes become '?'; every other byte is the title's own.
    const auto t = static_cast<unsigned char>(title[i]);
    if (c != t && !(c == '?' && is_control_byte(t))) {
      fail("the title line alters the title");
    }
  }
}

void check_affection(const std::vector<std::string_view>& lines,
                     std::size_t first, const save_summary& s) {
  for (std::size_t k = 0; k < bondscope::kAffectionCount; ++k) {
    line_reader r(lines[first + 1 + k]);
    r.name(s.characters[bondscope::kAffectionOrder[k]].name);
    r.literal(" :  ", "the affection separator");
    r.field(3, static_cast<std::uint64_t>(s.talk_points[k]));
    r.literal(", ", "the affection separator");
    r.field(3, static_cast<std::uint64_t>(s.battle_points[k]));
    r.end();
  }
}

void check_status(const std::vector<std::string_view>& lines, std::size_t first,
                  const save_summary& s) {
  for (std::size_t i = 0; i < bondscope::kPartySize; ++i) {
    const bondscope::character_entry& c = s.characters[i];
    line_reader r(lines[first + 1 + i]);
    r.name(c.name);
    r.literal(" : ", "the status separator");
    r.field(3, static_cast<std::uint64_t>(c.level));
    r.literal(", ", "the status separator");
    r.field(5, static_cast<std::uint64_t>(c.hp));
    r.literal(", ", "the status separator");
    r.field(5, static_cast<std::uint64_t>(c.mp));
    r.literal(",", "the status separator");
    r.field(10, c.exp);
    const std::int32_t attributes[] = {c.strength, c.speed,  c.vitality,
                                       c.magic,    c.spirit, c.luck};
    for (const std::int32_t a : attributes) {
      r.literal(", ", "the status separator");
      r.field(3, static_cast<std::uint64_t>(a));
    }
    r.end();
  }
}

// The save's report as the driver writes it.
std::string report(const save_summary& s, bool title, bool status) {
  fuzz::capture out;
  if (title) bondscope::write_title(out.stream(), s);
  bondscope::write_affection(out.stream(), s);
  if (status) bondscope::write_status(out.stream(), s);
  std::fputc('\n', out.stream());
  return out.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input,
                                      std::size_t size) {
  constexpr std::size_t kBlock = bondscope::kSaveBlockSize;
  const std::unique_ptr<unsigned char[]> block(new unsigned char[kBlock]());
  if (size > 0) std::memcpy(block.get(), input, size < kBlock ? size : kBlock);
  const save_summary s = bondscope::decode_save_block(
      std::span<const unsigned char, kBlock>(block.get(), kBlock));

  // Figures come from fields of 1, 2 and 4 unsigned bytes.
  for (const bondscope::character_entry& c : s.characters) {
    if (c.name.size() > kLongestName) fail("a name longer than 48 bytes");
    if (!is_table_text(c.name)) fail("a name the name code table cannot give");
    if (!c.name.empty() && c.name.back() == ' ') fail("a trailing blank");
    const std::int32_t bytes[] = {c.level, c.strength, c.speed, c.vitality,
                                  c.magic, c.spirit,   c.luck};
    for (const std::int32_t b : bytes) {
      if (b < 0 || b > 0xFF) fail("a one-byte figure out of range");
    }
    if (c.hp < 0 || c.hp > 0xFFFF || c.mp < 0 || c.mp > 0xFFFF) {
      fail("a two-byte figure out of range");
    }
  }
  for (std::size_t k = 0; k < bondscope::kAffectionCount; ++k) {
    if (s.talk_points[k] < 0 || s.talk_points[k] > 0xFF ||
        s.battle_points[k] < 0 || s.battle_points[k] > 0xFF) {
      fail("an affection figure out of range");
    }
  }
  if (s.title.size() > 64 || s.title.find('\0') != std::string::npos) {
    fail("a title longer than 64 bytes or holding a zero byte");
  }

  std::string previous_affection;
  for (int options = 0; options < 4; ++options) {
    const bool title = (options & 1) != 0;
    const bool status = (options & 2) != 0;
    const std::string text = report(s, title, status);
    const std::vector<std::string_view> lines = split_lines(text);
    const std::size_t expected = (title ? 1 : 0) + 5 + (status ? 10 : 0) + 1;
    if (lines.size() != expected) fail("a report with the wrong line count");
    if (!lines.back().empty()) fail("a report does not end in an empty line");

    std::size_t at = 0;
    if (title) check_title_line(lines[at++], s.title);
    // The affection table is the same, header included, whatever the options.
    std::string affection;
    for (std::size_t i = at; i < at + 5; ++i) {
      affection.append(lines[i]).push_back('\n');
    }
    if (options > 0 && affection != previous_affection) {
      fail("the affection table depends on the options");
    }
    previous_affection = affection;
    check_affection(lines, at, s);
    at += 5;
    if (status) check_status(lines, at, s);
  }
  return 0;
}
