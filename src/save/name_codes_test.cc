#include "save/name_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace bondscope {
namespace {

// The name code grid as the characters it shows, row = high nibble, column =
// low nibble, SP for the ASCII blank.  The expected Shift-JIS bytes are
// worked out from these characters below, independently of the program's
// table.
constexpr std::u8string_view kGrid[16] = {
    u8"バ ば ビ び ブ ぶ ベ べ ボ ぼ ガ が ギ ぎ グ ぐ",
    u8"ゲ げ ゴ ご ザ ざ ジ じ ズ ず ゼ ぜ ゾ ぞ ダ だ",
    u8"ヂ ぢ ヅ づ デ で ド ど ヴ パ ぱ ピ ぴ プ ぷ ペ",
    u8"ぺ ポ ぽ 0 1 2 3 4 5 6 7 8 9 、 。 SP",
    u8"ハ は ヒ ひ フ ふ ヘ へ ホ ほ カ か キ き ク く",
    u8"ケ け コ こ サ さ シ し ス す セ せ ソ そ タ た",
    u8"チ ち ツ つ テ て ト と ウ う ア あ イ い エ え",
    u8"オ お ナ な ニ に ヌ ぬ ネ ね ノ の マ ま ミ み",
    u8"ム む メ め モ も ラ ら リ り ル る レ れ ロ ろ",
    u8"ヤ や ユ ゆ ヨ よ ワ わ ン ん ヲ を ッ っ ャ ゃ",
    u8"ュ ゅ ョ ょ ァ ぁ ィ ぃ ゥ ぅ ェ ぇ ォ ぉ ! ?",
    u8"「 」 . + A B C D E F G H I J K L",
    u8"M N O P Q R S T U V W X Y Z ・ *",
    u8"ー ～ … % / : & 【 】 SP → α β 「 」 (",
    u8") - = 〓 〓 〓 XIII 〓 〓 〓 〓 〓 〓 〓 〓 〓",
    u8"〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 〓 SP",
};

// Code points of one UTF-8 word.
std::vector<char32_t> code_points(std::u8string_view word) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < word.size();) {
    const unsigned char lead = static_cast<unsigned char>(word[i]);
    const std::size_t n = lead < 0x80   ? 1
                          : lead < 0xE0 ? 2
                          : lead < 0xF0 ? 3
                                        : 4;
    char32_t cp = n == 1 ? lead : lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(word[i + k]) & 0x3F);
    }
    out.push_back(cp);
    i += n;
  }
  return out;
}

// Shift-JIS of one character: ASCII as it is, kana by the regular layout of
// their rows, the punctuation by the codes the format lists for it.
std::string shift_jis(char32_t cp) {
  static const std::map<char32_t, std::uint16_t> kPunctuation = {
      {U'、', 0x8141}, {U'。', 0x8142}, {U'・', 0x8145}, {U'ー', 0x815B},
      {U'～', 0x8160}, {U'…', 0x8163},  {U'「', 0x8175}, {U'」', 0x8176},
      {U'【', 0x8179}, {U'】', 0x817A}, {U'→', 0x81A8},  {U'〓', 0x81AC},
      {U'α', 0x83BF},  {U'β', 0x83C0}};
  std::uint32_t code = 0;
  if (cp < 0x80) return std::string(1, static_cast<char>(cp));
  if (cp >= U'ぁ' && cp <= U'ん') {
    code = 0x829F + (cp - U'ぁ');
  } else if (cp >= U'ァ' && cp <= U'ヶ') {
    code = 0x8340 + (cp - U'ァ');
    if (code >= 0x837F) ++code;  // 0x7F is never a trail byte
  } else if (const auto it = kPunctuation.find(cp); it != kPunctuation.end()) {
    code = it->second;
  } else {
    ADD_FAILURE() << "no Shift-JIS for U+" << std::hex
                  << static_cast<std::uint32_t>(cp);
  }
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// The 256 expected entries, from the grid.
std::vector<std::string> expected_table() {
  std::vector<std::string> table;
  for (const std::u8string_view row : kGrid) {
    std::size_t column = 0;
    for (std::size_t at = 0; at <= row.size(); ++column) {
      std::size_t end = row.find(u8' ', at);
      if (end == std::u8string_view::npos) end = row.size();
      const std::u8string_view word = row.substr(at, end - at);
      std::string entry;
      if (word == u8"SP") {
        entry = " ";
      } else {
        for (const char32_t cp : code_points(word)) entry += shift_jis(cp);
      }
      table.push_back(entry);
      at = end + 1;
    }
    EXPECT_EQ(column, 16u) << "a grid row has " << column << " entries";
  }
  return table;
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string decode(const std::vector<unsigned char>& codes,
                   std::size_t capacity = 256) {
  return decode_name(codes.data(), codes.size(), capacity);
}

TEST(NameCodesTest, EveryCode) {
  const std::vector<std::string> want = expected_table();
  ASSERT_EQ(want.size(), 256u);
  for (int code = 0; code < 256; ++code) {
    SCOPED_TRACE("code " + std::to_string(code));
    EXPECT_EQ(name_code_table()[static_cast<std::size_t>(code)],
              want[static_cast<std::size_t>(code)]);
    // A digit after the code keeps a blank entry from being trimmed.
    EXPECT_EQ(decode({static_cast<unsigned char>(code), 0x33}),
              want[static_cast<std::size_t>(code)] + "0");
  }
}

TEST(NameCodesTest, Decode) {
  const std::string sa = "\x83\x54", ku = "\x83\x4e", ra = "\x83\x89";
  const std::string ka = "\x83\x4a", geta = "\x81\xac";
  struct case_t {
    const char* what;
    std::vector<unsigned char> codes;
    std::size_t capacity;
    std::string text;
  };
  const case_t cases[] = {
      {"no codes", {}, 256, ""},
      {"three kana", {0x54, 0x4E, 0x86}, 256, sa + ku + ra},
      {"trailing blank 0x3F", {0x54, 0x3F}, 256, sa},
      {"trailing blank 0xD9", {0x54, 0xD9}, 256, sa},
      {"trailing blank 0xFF", {0x54, 0xFF}, 256, sa},
      {"several trailing blanks", {0x54, 0x3F, 0xD9, 0xFF, 0x3F}, 256, sa},
      {"inner blanks stay", {0x54, 0x3F, 0xD9, 0x4E}, 256, sa + "  " + ku},
      {"leading blank stays", {0x3F, 0x54}, 256, " " + sa},
      {"only blanks", {0x3F, 0xD9, 0xFF}, 256, ""},
      {"ASCII ends in a letter", {0xB4, 0x33, 0xAF}, 256, "A0?"},
      {"XIII", {0xE6}, 256, "XIII"},
      {"geta", {0xE3, 0xE5, 0xE7, 0xFE}, 256, geta + geta + geta + geta},
      {"twelve kana", std::vector<unsigned char>(12, 0x4A), 256,
       repeat(ka, 12)},
      {"twelve XIII", std::vector<unsigned char>(12, 0xE6), 256,
       repeat("XIII", 12)},
      // The text is cut to capacity - 1 bytes, even inside a character.
      {"capacity 1", {0x54, 0x4E, 0x86}, 1, ""},
      {"capacity 1, one ASCII code", {0x33}, 1, ""},
      {"capacity 2", {0x54, 0x4E, 0x86}, 2, "\x83"},
      {"capacity 3", {0x54, 0x4E, 0x86}, 3, sa},
      {"capacity 4", {0x54, 0x4E, 0x86}, 4, sa + "\x83"},
      {"capacity 6", {0x54, 0x4E, 0x86}, 6, sa + ku + "\x83"},
      {"capacity 7, exactly enough", {0x54, 0x4E, 0x86}, 7, sa + ku + ra},
      {"capacity 2, XIII", {0xE6}, 2, "X"},
      // Blanks are trimmed from the whole text before it is cut.
      {"trimmed before the cut", {0x54, 0x3F, 0x4E}, 4, sa + " "},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(decode(c.codes, c.capacity), c.text);
  }
}

}  // namespace
}  // namespace bondscope
