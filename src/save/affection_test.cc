#include "save/affection.h"

#include <gtest/gtest.h>

#include <string>

#include "fixture/temp_file.h"

namespace bondscope {
namespace {

std::string affection_table(const save_summary& s) {
  const fixture::temp_file f = fixture::make_temp_file();
  write_affection(f.get(), s);
  EXPECT_FALSE(std::ferror(f.get()));
  const fixture::bytes b = fixture::file_contents(f.get());
  return std::string(b.begin(), b.end());
}

// 名前, 11 blanks, 会話, a blank, 戦闘, in Shift-JIS:
// 96 BC 91 4F, 11 x 20, 89 EF 98 62, 20, 90 ED 93 AC, 0A.
const std::string kHeader = "\x96\xBC\x91\x4F" + std::string(11, ' ') +
                            "\x89\xEF\x98\x62" + " " + "\x90\xED\x93\xAC" +
                            "\n";

TEST(WriteAffectionTest, HeaderAndOrder) {
  // Every slot named and the points distinct, so the order 3, 2, 5, 1 shows.
  save_summary s;
  for (std::size_t i = 0; i < s.characters.size(); ++i) {
    s.characters[i].name = "Slot" + std::to_string(i);
  }
  s.talk_points = {1, 22, 133, 255};
  s.battle_points = {0, 9, 99, 100};
  EXPECT_EQ(affection_table(s), kHeader +
                                    "Slot3        :    1,   0\n"
                                    "Slot2        :   22,   9\n"
                                    "Slot5        :  133,  99\n"
                                    "Slot1        :  255, 100\n");
}

TEST(WriteAffectionTest, NameWidths) {
  const std::string kana6 = "\x83\x41\x83\x43\x83\x45\x83\x47\x83\x49\x83\x4A";
  struct case_t {
    const char* what;
    std::string name;
    std::string line;
  };
  const case_t cases[] = {
      {"empty name: twelve blanks", "",
       std::string(12, ' ') + " :    5,   6\n"},
      {"short name padded on the right", "Mio",
       "Mio" + std::string(9, ' ') + " :    5,   6\n"},
      {"six kana, twelve bytes, not widened", kana6, kana6 + " :    5,   6\n"},
      {"a longer name pushes the rest right", kana6 + "XY",
       kana6 + "XY :    5,   6\n"},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    save_summary s;
    for (const std::size_t slot : {3, 2, 5, 1})
      s.characters[slot].name = c.name;
    s.talk_points = {5, 5, 5, 5};
    s.battle_points = {6, 6, 6, 6};
    EXPECT_EQ(affection_table(s), kHeader + c.line + c.line + c.line + c.line);
  }
}

}  // namespace
}  // namespace bondscope
