#include "report/report.h"

#include <string>

#include "save/report_text.h"

namespace bondscope {
namespace {

// "名前", 12 blanks, then each label right-aligned over its field: LV, HP,
// MP, EXP, 力 (strength), 速 (speed), 体力 (vitality), 魔力 (magic),
// 精神 (spirit), 運 (luck).
constexpr char kStatusHeader[] =
    "\x96\xbc\x91\x4f"
    "            "
    "LV     HP     MP        EXP   "
    "\x97\xcd"
    "   "
    "\x91\xac"
    " "
    "\x91\xcc\x97\xcd"
    " "
    "\x96\x82\x97\xcd"
    " "
    "\x90\xb8\x90\x5f"
    "   "
    "\x89\x5e"
    "\n";

bool is_control_byte(unsigned char c) {
  return (c >= 0x01 && c <= 0x1F) || c == 0x7F;
}

}  // namespace

void write_title(std::FILE* stream, const save_summary& summary) {
  std::string line = "[";
  for (const char ch : summary.title) {
    line += is_control_byte(static_cast<unsigned char>(ch)) ? '?' : ch;
  }
  line += "]\n";
  write_text(stream, line);
}

void write_status(std::FILE* stream, const save_summary& summary) {
  std::string text = kStatusHeader;
  for (const character_entry& c : summary.characters) {
    // "%-12s : %3d, %5ld, %5ld,%10lu, %3d, %3d, %3d, %3d, %3d, %3d\n".
    // Experience is the unsigned 32-bit figure; 4294967295 still fits its
    // 10-wide field.
    append_left(text, c.name, 12);
    text += " : ";
    append_right(text, c.level, 3);
    text += ", ";
    append_right(text, c.hp, 5);
    text += ", ";
    append_right(text, c.mp, 5);
    text += ',';
    append_right(text, c.exp, 10);
    for (const std::int32_t figure :
         {c.strength, c.speed, c.vitality, c.magic, c.spirit, c.luck}) {
      text += ", ";
      append_right(text, figure, 3);
    }
    text += '\n';
  }
  write_text(stream, text);
}

}  // namespace bondscope
