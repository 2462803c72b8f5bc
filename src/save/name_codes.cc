#include "save/name_codes.h"

namespace bondscope {
namespace {

// Row by row, four codes a line.  0x00-0x32 are the voiced and half-voiced
// kana, each katakana followed by its hiragana (with the lone ヴ at 0x28);
// 0x33-0x3C the digits; 0x40-0xAD the plain kana in the same pairs;
// 0xAE-0xE2 Latin capitals, punctuation, α and β.  The blank stands at 0x3F,
// 0xD9 and 0xFF; 「 and 」 twice.  Bytes are written as escapes because the
// source file is UTF-8 and the program's text is Shift-JIS.
constexpr std::array<std::string_view, 256> kTable = {
    "\x83\x6f", "\x82\xce", "\x83\x72", "\x82\xd1",  // 00-03 バ ば ビ び
    "\x83\x75", "\x82\xd4", "\x83\x78", "\x82\xd7",  // 04-07 ブ ぶ ベ べ
    "\x83\x7b", "\x82\xda", "\x83\x4b", "\x82\xaa",  // 08-0B ボ ぼ ガ が
    "\x83\x4d", "\x82\xac", "\x83\x4f", "\x82\xae",  // 0C-0F ギ ぎ グ ぐ
    "\x83\x51", "\x82\xb0", "\x83\x53", "\x82\xb2",  // 10-13 ゲ げ ゴ ご
    "\x83\x55", "\x82\xb4", "\x83\x57", "\x82\xb6",  // 14-17 ザ ざ ジ じ
    "\x83\x59", "\x82\xb8", "\x83\x5b", "\x82\xba",  // 18-1B ズ ず ゼ ぜ
    "\x83\x5d", "\x82\xbc", "\x83\x5f", "\x82\xbe",  // 1C-1F ゾ ぞ ダ だ
    "\x83\x61", "\x82\xc0", "\x83\x64", "\x82\xc3",  // 20-23 ヂ ぢ ヅ づ
    "\x83\x66", "\x82\xc5", "\x83\x68", "\x82\xc7",  // 24-27 デ で ド ど
    "\x83\x94", "\x83\x70", "\x82\xcf", "\x83\x73",  // 28-2B ヴ パ ぱ ピ
    "\x82\xd2", "\x83\x76", "\x82\xd5", "\x83\x79",  // 2C-2F ぴ プ ぷ ペ
    "\x82\xd8", "\x83\x7c", "\x82\xdb", "0",         // 30-33 ぺ ポ ぽ 0
    "1",        "2",        "3",        "4",         // 34-37 1 2 3 4
    "5",        "6",        "7",        "8",         // 38-3B 5 6 7 8
    "9",        "\x81\x41", "\x81\x42", " ",         // 3C-3F 9 、 。 SP
    "\x83\x6e", "\x82\xcd", "\x83\x71", "\x82\xd0",  // 40-43 ハ は ヒ ひ
    "\x83\x74", "\x82\xd3", "\x83\x77", "\x82\xd6",  // 44-47 フ ふ ヘ へ
    "\x83\x7a", "\x82\xd9", "\x83\x4a", "\x82\xa9",  // 48-4B ホ ほ カ か
    "\x83\x4c", "\x82\xab", "\x83\x4e", "\x82\xad",  // 4C-4F キ き ク く
    "\x83\x50", "\x82\xaf", "\x83\x52", "\x82\xb1",  // 50-53 ケ け コ こ
    "\x83\x54", "\x82\xb3", "\x83\x56", "\x82\xb5",  // 54-57 サ さ シ し
    "\x83\x58", "\x82\xb7", "\x83\x5a", "\x82\xb9",  // 58-5B ス す セ せ
    "\x83\x5c", "\x82\xbb", "\x83\x5e", "\x82\xbd",  // 5C-5F ソ そ タ た
    "\x83\x60", "\x82\xbf", "\x83\x63", "\x82\xc2",  // 60-63 チ ち ツ つ
    "\x83\x65", "\x82\xc4", "\x83\x67", "\x82\xc6",  // 64-67 テ て ト と
    "\x83\x45", "\x82\xa4", "\x83\x41", "\x82\xa0",  // 68-6B ウ う ア あ
    "\x83\x43", "\x82\xa2", "\x83\x47", "\x82\xa6",  // 6C-6F イ い エ え
    "\x83\x49", "\x82\xa8", "\x83\x69", "\x82\xc8",  // 70-73 オ お ナ な
    "\x83\x6a", "\x82\xc9", "\x83\x6b", "\x82\xca",  // 74-77 ニ に ヌ ぬ
    "\x83\x6c", "\x82\xcb", "\x83\x6d", "\x82\xcc",  // 78-7B ネ ね ノ の
    "\x83\x7d", "\x82\xdc", "\x83\x7e", "\x82\xdd",  // 7C-7F マ ま ミ み
    "\x83\x80", "\x82\xde", "\x83\x81", "\x82\xdf",  // 80-83 ム む メ め
    "\x83\x82", "\x82\xe0", "\x83\x89", "\x82\xe7",  // 84-87 モ も ラ ら
    "\x83\x8a", "\x82\xe8", "\x83\x8b", "\x82\xe9",  // 88-8B リ り ル る
    "\x83\x8c", "\x82\xea", "\x83\x8d", "\x82\xeb",  // 8C-8F レ れ ロ ろ
    "\x83\x84", "\x82\xe2", "\x83\x86", "\x82\xe4",  // 90-93 ヤ や ユ ゆ
    "\x83\x88", "\x82\xe6", "\x83\x8f", "\x82\xed",  // 94-97 ヨ よ ワ わ
    "\x83\x93", "\x82\xf1", "\x83\x92", "\x82\xf0",  // 98-9B ン ん ヲ を
    "\x83\x62", "\x82\xc1", "\x83\x83", "\x82\xe1",  // 9C-9F ッ っ ャ ゃ
    "\x83\x85", "\x82\xe3", "\x83\x87", "\x82\xe5",  // A0-A3 ュ ゅ ョ ょ
    "\x83\x40", "\x82\x9f", "\x83\x42", "\x82\xa1",  // A4-A7 ァ ぁ ィ ぃ
    "\x83\x44", "\x82\xa3", "\x83\x46", "\x82\xa5",  // A8-AB ゥ ぅ ェ ぇ
    "\x83\x48", "\x82\xa7", "!",        "?",         // AC-AF ォ ぉ ! ?
    "\x81\x75", "\x81\x76", ".",        "+",         // B0-B3 「 」 . +
    "A",        "B",        "C",        "D",         // B4-B7 A B C D
    "E",        "F",        "G",        "H",         // B8-BB E F G H
    "I",        "J",        "K",        "L",         // BC-BF I J K L
    "M",        "N",        "O",        "P",         // C0-C3 M N O P
    "Q",        "R",        "S",        "T",         // C4-C7 Q R S T
    "U",        "V",        "W",        "X",         // C8-CB U V W X
    "Y",        "Z",        "\x81\x45", "*",         // CC-CF Y Z ・ *
    "\x81\x5b", "\x81\x60", "\x81\x63", "%",         // D0-D3 ー ～ … %
    "/",        ":",        "&",        "\x81\x79",  // D4-D7 / : & 【
    "\x81\x7a", " ",        "\x81\xa8", "\x83\xbf",  // D8-DB 】 SP → α
    "\x83\xc0", "\x81\x75", "\x81\x76", "(",         // DC-DF β 「 」 (
    ")",        "-",        "=",        "\x81\xac",  // E0-E3 ) - = 〓
    "\x81\xac", "\x81\xac", "XIII",     "\x81\xac",  // E4-E7 〓 〓 XIII 〓
    "\x81\xac", "\x81\xac", "\x81\xac", "\x81\xac",  // E8-EB 〓 〓 〓 〓
    "\x81\xac", "\x81\xac", "\x81\xac", "\x81\xac",  // EC-EF 〓 〓 〓 〓
    "\x81\xac", "\x81\xac", "\x81\xac", "\x81\xac",  // F0-F3 〓 〓 〓 〓
    "\x81\xac", "\x81\xac", "\x81\xac", "\x81\xac",  // F4-F7 〓 〓 〓 〓
    "\x81\xac", "\x81\xac", "\x81\xac", "\x81\xac",  // F8-FB 〓 〓 〓 〓
    "\x81\xac", "\x81\xac", "\x81\xac", " ",         // FC-FF 〓 〓 〓 SP
};

}  // namespace

const std::array<std::string_view, 256>& name_code_table() { return kTable; }

std::string decode_name(const unsigned char* codes, std::size_t n,
                        std::size_t capacity) {
  std::string text;
  text.reserve(n * kLongestNameCode);
  for (std::size_t i = 0; i < n; ++i) text += kTable[codes[i]];
  // No Shift-JIS trail byte is 0x20, so trimming never splits a character.
  while (!text.empty() && text.back() == ' ') text.pop_back();
  // Room for the terminator of a fixed-size field: at most capacity - 1.
  const std::size_t limit = capacity > 0 ? capacity - 1 : 0;
  if (text.size() > limit) text.resize(limit);
  return text;
}

}  // namespace bondscope
