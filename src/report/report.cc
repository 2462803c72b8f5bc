#include "report/report.h"

#include <string>

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
  std::fputs(line.c_str(), stream);
}

void write_status(std::FILE* stream, const save_summary& summary) {
  std::fputs(kStatusHeader, stream);
  for (const character_entry& c : summary.characters) {
    // Experience is unsigned 32-bit; unsigned long holds it on every
    // platform, and 4294967295 still fits the 10-wide field.
    std::fprintf(
        stream, "%-12s : %3d, %5ld, %5ld,%10lu, %3d, %3d, %3d, %3d, %3d, %3d\n",
        c.name.c_str(), static_cast<int>(c.level), static_cast<long>(c.hp),
        static_cast<long>(c.mp), static_cast<unsigned long>(c.exp),
        static_cast<int>(c.strength), static_cast<int>(c.speed),
        static_cast<int>(c.vitality), static_cast<int>(c.magic),
        static_cast<int>(c.spirit), static_cast<int>(c.luck));
  }
}

}  // namespace bondscope
