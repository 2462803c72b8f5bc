#include "save/save_block.h"

#include <cstring>

#include "save/little_endian.h"
#include "save/name_codes.h"

namespace bondscope {
namespace {

constexpr std::size_t kTitleOffset = 0x004;
constexpr std::size_t kTitleSize = 64;
constexpr std::size_t kFirstRecordOffset = 0x254;
constexpr std::size_t kRecordSize = 132;
constexpr std::size_t kTalkPointsOffset = 0xDA7;
constexpr std::size_t kBattlePointsOffset = 0xDF4;

// Within a character record.
constexpr std::size_t kLevel = 0x01;
constexpr std::size_t kStrength = 0x02;
constexpr std::size_t kVitality = 0x03;
constexpr std::size_t kMagic = 0x04;
constexpr std::size_t kSpirit = 0x05;
constexpr std::size_t kSpeed = 0x06;
constexpr std::size_t kLuck = 0x07;
constexpr std::size_t kName = 0x10;
constexpr std::size_t kNameCodes = 12;
constexpr std::size_t kHp = 0x2C;
constexpr std::size_t kMp = 0x30;
constexpr std::size_t kExp = 0x3C;

static_assert(kFirstRecordOffset + kPartySize * kRecordSize <=
              kTalkPointsOffset);
static_assert(kBattlePointsOffset + kAffectionCount <= kSaveBlockSize);

character_entry decode_character(const unsigned char* record) {
  character_entry c;
  // The first 0xFF ends the name; a name that fills all 12 codes has none.
  const unsigned char* codes = record + kName;
  const void* stop = std::memchr(codes, 0xFF, kNameCodes);
  const std::size_t n =
      stop ? static_cast<std::size_t>(static_cast<const unsigned char*>(stop) -
                                      codes)
           : kNameCodes;
  c.name = decode_name(codes, n, kNameCapacity);
  c.level = read_u8(record, kLevel);
  c.strength = read_u8(record, kStrength);
  c.vitality = read_u8(record, kVitality);
  c.magic = read_u8(record, kMagic);
  c.spirit = read_u8(record, kSpirit);
  c.speed = read_u8(record, kSpeed);
  c.luck = read_u8(record, kLuck);
  c.hp = read_u16le(record, kHp);
  c.mp = read_u16le(record, kMp);
  c.exp = read_u32le(record, kExp);
  return c;
}

}  // namespace

save_summary decode_save_block(
    std::span<const unsigned char, kSaveBlockSize> block) {
  save_summary s;
  const unsigned char* title = block.data() + kTitleOffset;
  const void* zero = std::memchr(title, 0, kTitleSize);
  const std::size_t title_length =
      zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) -
                                      title)
           : kTitleSize;
  s.title.assign(reinterpret_cast<const char*>(title), title_length);
  for (std::size_t i = 0; i < kPartySize; ++i) {
    s.characters[i] =
        decode_character(block.data() + kFirstRecordOffset + kRecordSize * i);
  }
  for (std::size_t k = 0; k < kAffectionCount; ++k) {
    s.talk_points[k] = read_u8(block.data(), kTalkPointsOffset + k);
    s.battle_points[k] = read_u8(block.data(), kBattlePointsOffset + k);
  }
  return s;
}

}  // namespace bondscope
