// The game's one-byte name codes and their Shift-JIS text.
#ifndef BONDSCOPE_SAVE_NAME_CODES_H_
#define BONDSCOPE_SAVE_NAME_CODES_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace bondscope {

/// Longest entry of the name code table, in bytes (code 0xE6, "XIII").
inline constexpr std::size_t kLongestNameCode = 4;

/// Text of each name code 0x00-0xFF: one ASCII byte, one two-byte Shift-JIS
/// character, or, for 0xE6 only, the four letters XIII.  Codes with no
/// character of their own read as the geta mark (0x81 0xAC).
const std::array<std::string_view, 256>& name_code_table();

/// Decodes `n` name codes into Shift-JIS text: the table entries of the
/// codes in order, with trailing ASCII blanks removed, cut to at most
/// `capacity` - 1 bytes (`capacity` >= 1).
std::string decode_name(const unsigned char* codes, std::size_t n,
                        std::size_t capacity);

}  // namespace bondscope

#endif  // BONDSCOPE_SAVE_NAME_CODES_H_
