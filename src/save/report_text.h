// Building report lines: the few printf conversions the report uses, done
// by hand into one buffer per section.
//
// A dense dump holds a save every 8192 bytes, and formatting its report
// through printf cost more than reading and searching the file together.
// These produce exactly the bytes of the conversions they are named after.
#ifndef BONDSCOPE_SAVE_REPORT_TEXT_H_
#define BONDSCOPE_SAVE_REPORT_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace bondscope {

/// Appends `text` padded with blanks on the right to `width` bytes, as
/// "%-Ns" does; a longer text is appended whole.
void append_left(std::string& line, std::string_view text, std::size_t width);

/// Appends `value` in signed decimal, right-aligned in `width` bytes, as
/// "%Nd", "%Nld" or "%Nlu" do for the same value; a longer number is
/// appended whole.
void append_right(std::string& line, std::int64_t value, std::size_t width);

/// Writes the section's bytes; errors stay in the stream's error flag.
inline void write_text(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace bondscope

#endif  // BONDSCOPE_SAVE_REPORT_TEXT_H_
