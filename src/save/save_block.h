// One save block: its layout and its decoded form.
#ifndef BONDSCOPE_SAVE_SAVE_BLOCK_H_
#define BONDSCOPE_SAVE_SAVE_BLOCK_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace bondscope {

/// Every save block starts with these bytes: the memory card's save-header
/// magic (two ASCII letters), the icon flag 0x11, the block count 1, and the
/// first three
/// full-width characters of the save's Shift-JIS title.  They are matched as
/// one pattern and never read as separate fields.
inline constexpr std::array<unsigned char, 10> kSaveSignature = {
    0x53, 0x43, 0x11, 0x01, 0x82, 0x65, 0x82, 0x65, 0x82, 0x56};

inline constexpr std::size_t kSaveBlockSize = 8192;
inline constexpr std::size_t kPartySize = 9;
inline constexpr std::size_t kAffectionCount = 4;

/// The party slot of the character behind each affection index 0-3.
inline constexpr std::array<std::size_t, kAffectionCount> kAffectionOrder = {
    3, 2, 5, 1};

/// One party character, decoded from its 132-byte record.
///
/// Record layout (offsets from the record's first byte, numbers unsigned
/// little-endian):
///   +0x01  1  level        +0x05  1  spirit
///   +0x02  1  strength     +0x06  1  speed
///   +0x03  1  vitality     +0x07  1  luck
///   +0x04  1  magic        +0x10 12  name codes, ended by 0xFF or the limit
///   +0x2C  2  hp           +0x30  2  mp
///   +0x3C  4  experience
struct character_entry {
  std::string name;  ///< Shift-JIS, at most kNameCapacity - 1 bytes
  std::int32_t level = 0;
  std::int32_t hp = 0;
  std::int32_t mp = 0;
  std::uint32_t exp = 0;  ///< the full unsigned 32-bit figure
  std::int32_t strength = 0;
  std::int32_t speed = 0;
  std::int32_t vitality = 0;
  std::int32_t magic = 0;
  std::int32_t spirit = 0;
  std::int32_t luck = 0;
};

/// Capacity of a decoded character name, terminator included.
inline constexpr std::size_t kNameCapacity = 256;

/// What one save block holds.
///
/// Block layout (offsets from the signature's first byte):
///   0x000   10  the signature (its last 6 bytes begin the title)
///   0x004   64  title, Shift-JIS, ended by a zero byte or the limit
///   0x254  132  character record i at 0x254 + 132 * i, i = 0..8
///   0xDA7    4  talk points, one byte per affection index
///   0xDF4    4  battle points, one byte per affection index
/// Bytes not listed are not read.
struct save_summary {
  std::string title;  ///< at most 64 bytes, up to the first zero byte
  std::array<character_entry, kPartySize> characters;
  std::array<std::int32_t, kAffectionCount> talk_points{};
  std::array<std::int32_t, kAffectionCount> battle_points{};
};

/// Decodes one block.  Any 8192 bytes decode; nothing is validated.
save_summary decode_save_block(
    std::span<const unsigned char, kSaveBlockSize> block);

}  // namespace bondscope

#endif  // BONDSCOPE_SAVE_SAVE_BLOCK_H_
