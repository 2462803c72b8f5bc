// The optional sections of a save's report: the title line (-t), written
// before the affection table, and the status table (-s), written after it.
#ifndef BONDSCOPE_REPORT_REPORT_H_
#define BONDSCOPE_REPORT_REPORT_H_

#include <cstdio>

#include "save/save_block.h"

namespace bondscope {

/// Writes "[" TITLE "]\n".  The title is data from the file, so each control
/// byte in it (0x01-0x1F, 0x7F) is written as '?': it can neither drive the
/// terminal nor break the report into extra lines.  No Shift-JIS character
/// contains such a byte, so real titles are unchanged.
void write_title(std::FILE* stream, const save_summary& summary);

/// Writes the header line and one line per party slot 0-8: name, level, hp,
/// mp, experience, strength, speed, vitality, magic, spirit and luck.
void write_status(std::FILE* stream, const save_summary& summary);

}  // namespace bondscope

#endif  // BONDSCOPE_REPORT_REPORT_H_
