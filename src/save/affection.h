// The affection table: the section every save's report contains.
#ifndef BONDSCOPE_SAVE_AFFECTION_H_
#define BONDSCOPE_SAVE_AFFECTION_H_

#include <cstdio>

#include "save/save_block.h"

namespace bondscope {

/// Writes the header line "名前 ... 会話 戦闘" (Shift-JIS) and one line per
/// affection index: the name of the character in party slot 3, 2, 5 and 1,
/// its talk points and its battle points.  Write errors are left in the
/// stream's error flag for the caller to check.
void write_affection(std::FILE* stream, const save_summary& summary);

}  // namespace bondscope

#endif  // BONDSCOPE_SAVE_AFFECTION_H_
