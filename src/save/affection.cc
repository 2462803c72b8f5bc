#include "save/affection.h"

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
  std::fputs(kHeader, stream);
  for (std::size_t k = 0; k < kAffectionCount; ++k) {
    const character_entry& c = summary.characters[kAffectionOrder[k]];
    std::fprintf(stream, "%-12s :  %3d, %3d\n", c.name.c_str(),
                 static_cast<int>(summary.talk_points[k]),
                 static_cast<int>(summary.battle_points[k]));
  }
}

}  // namespace bondscope
