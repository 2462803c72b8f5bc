#include "save/affection.h"

#include <string>

#include "save/report_text.h"

namespace bondscope {
namespace {

// "名前", 11 blanks, "会話", a blank, "戦闘": the words end in the columns of
// the two %3d fields below them while names take at most 12 bytes.
constexpr char kHeader[] =
    "\x96\xbc\x91\x4f"
    "           "
    "\x89\xef\x98\x62"
    " "
    "\x90\xed\x93\xac"
    "\n";

}  // namespace

void write_affection(std::FILE* stream, const save_summary& summary) {
  std::string text = kHeader;
  for (std::size_t k = 0; k < kAffectionCount; ++k) {
    // "%-12s :  %3d, %3d\n"
    const character_entry& c = summary.characters[kAffectionOrder[k]];
    append_left(text, c.name, 12);
    text += " :  ";
    append_right(text, summary.talk_points[k], 3);
    text += ", ";
    append_right(text, summary.battle_points[k], 3);
    text += '\n';
  }
  write_text(stream, text);
}

}  // namespace bondscope
