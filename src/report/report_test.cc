#include "report/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fixture/temp_file.h"

namespace bondscope {
namespace {

std::string written(void (*writer)(std::FILE*, const save_summary&),
                    const save_summary& s) {
  const fixture::temp_file f = fixture::make_temp_file();
  writer(f.get(), s);
  EXPECT_FALSE(std::ferror(f.get()));
  const fixture::bytes b = fixture::file_contents(f.get());
  return std::string(b.begin(), b.end());
}

// Bytes from hex pairs separated by blanks or commas; "12x20" is twelve 0x20.
std::string from_hex(const std::string& hex) {
  std::istringstream in(hex);
  std::string out, token;
  while (in >> token) {
    if (token.back() == ',') token.pop_back();
    std::size_t count = 1;
    if (const std::size_t x = token.find('x'); x != std::string::npos) {
      count = std::stoul(token.substr(0, x));
      token = token.substr(x + 1);
    }
    out.append(count, static_cast<char>(std::stoul(token, nullptr, 16)));
  }
  return out;
}

TEST(WriteTitleTest, Lines) {
  std::string controls, others;
  for (int b = 0x01; b <= 0x1F; ++b) controls += static_cast<char>(b);
  controls += '\x7F';
  others += ' ';
  for (int b = 0x80; b <= 0xFF; ++b) others += static_cast<char>(b);
  const std::string start = "\x82\x65\x82\x65\x82\x56";
  struct case_t {
    const char* what;
    std::string title;
    std::string line;
  };
  const case_t cases[] = {
      {"empty", "", "[]\n"},
      {"Shift-JIS text", start + "Harbor \x81\x40Gate",
       "[" + start + "Harbor \x81\x40Gate]\n"},
      // Control bytes could drive the terminal or split the report.
      {"control bytes as '?'", controls, "[" + std::string(32, '?') + "]\n"},
      {"escape sequence and line breaks", "A\nB\r\x1B[2JC\x7F",
       "[A?B??[2JC?]\n"},
      {"blank and bytes 0x80-0xFF unchanged", others, "[" + others + "]\n"},
      {"a full 64-byte title", start + std::string(58, '\x88'),
       "[" + start + std::string(58, '\x88') + "]\n"},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    save_summary s;
    s.title = c.title;
    EXPECT_EQ(written(write_title, s), c.line);
  }
}

TEST(WriteStatusTest, HeaderAndLines) {
  // 名前 ... 運, as listed for the status table's header line.
  const std::string header = from_hex(
      "96 BC 91 4F, 12x20, 4C 56, 5x20, 48 50, 5x20, 4D 50, 8x20, 45 58 50, "
      "3x20, 97 CD, 3x20, 91 AC, 20, 91 CC 97 CD, 20, 96 82 97 CD, 20, "
      "90 B8 90 5F, 3x20, 89 5E, 0A");
  const std::string kana6 = "\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4A";
  struct row_t {
    std::string name;
    std::int32_t level, hp, mp;
    std::uint32_t exp;
    std::int32_t strength, speed, vitality, magic, spirit, luck;
    std::string line;
  };
  // One row per party slot 0-8, each figure different from its neighbours
  // so a swapped column shows.
  const row_t rows[9] = {
      {"", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
       "             :   0,     0,     0,         0,   0,   0,   0,   0,   0, "
       "  0\n"},
      {"Kai", 12, 345, 67, 8901, 21, 22, 23, 24, 25, 26,
       "Kai          :  12,   345,    67,      8901,  21,  22,  23,  24,  25, "
       " 26\n"},
      // Every figure at its maximum: the widths hold, a 12-byte name is not
      // widened.
      {kana6, 255, 65535, 65535, 4294967295u, 255, 255, 255, 255, 255, 255,
       kana6 +
           " : 255, 65535, 65535,4294967295, 255, 255, 255, 255, 255, 255\n"},
      // Experience is unsigned: 2^31 is not negative.
      {"Ren", 1, 2, 3, 2147483648u, 4, 5, 6, 7, 8, 9,
       "Ren          :   1,     2,     3,2147483648,   4,   5,   6,   7,   8, "
       "  9\n"},
      {"Ozu", 99, 1000, 999, 2147483647u, 10, 20, 30, 40, 50, 60,
       "Ozu          :  99,  1000,   999,2147483647,  10,  20,  30,  40,  50, "
       " 60\n"},
      // A name longer than 12 bytes pushes the rest of its line right.
      {kana6 + "XY", 7, 7, 7, 7, 1, 2, 3, 4, 5, 6,
       kana6 + "XY :   7,     7,     7,         7,   1,   2,   3,   4,   5,  "
               " 6\n"},
      {"Tamsin", 50, 1234, 56, 78901234u, 101, 102, 103, 104, 105, 106,
       "Tamsin       :  50,  1234,    56,  78901234, 101, 102, 103, 104, 105, "
       "106\n"},
      {"Bo", 3, 30, 300, 3000, 13, 31, 113, 131, 213, 231,
       "Bo           :   3,    30,   300,      3000,  13,  31, 113, 131, 213, "
       "231\n"},
      {"Wren", 100, 10000, 9999, 99999, 0, 1, 0, 1, 0, 1,
       "Wren         : 100, 10000,  9999,     99999,   0,   1,   0,   1,   0, "
       "  1\n"},
  };
  save_summary s;
  std::string want = header;
  for (std::size_t i = 0; i < 9; ++i) {
    const row_t& r = rows[i];
    character_entry& c = s.characters[i];
    c.name = r.name;
    c.level = r.level;
    c.hp = r.hp;
    c.mp = r.mp;
    c.exp = r.exp;
    c.strength = r.strength;
    c.speed = r.speed;
    c.vitality = r.vitality;
    c.magic = r.magic;
    c.spirit = r.spirit;
    c.luck = r.luck;
    want += r.line;
  }
  EXPECT_EQ(written(write_status, s), want);
}

}  // namespace
}  // namespace bondscope
