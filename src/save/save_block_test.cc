#include "save/save_block.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fixture/save_builder.h"

namespace bondscope {
namespace {

using fixture::bytes;
using fixture::figure;

save_summary decode(const fixture::save_block& block) {
  EXPECT_EQ(block.data().size(), kSaveBlockSize);
  return decode_save_block(std::span<const unsigned char, kSaveBlockSize>(
      block.data().data(), kSaveBlockSize));
}

// A block whose bytes outside the signature are all non-zero junk, so a
// field read from a wrong offset or with a wrong width shows.
fixture::save_block junk_block() {
  const bytes junk = fixture::image().junk(kSaveBlockSize - 10, 99).contents();
  bytes nonzero = junk;
  for (unsigned char& b : nonzero) b = b == 0 ? 0x5A : b;
  fixture::save_block block;
  block.poke(10, nonzero);
  return block;
}

// The six title bytes that every block's signature supplies.
const std::string kTitleStart = "\x82\x65\x82\x65\x82\x56";

// Name codes for slot i: the letter 'A' + i, then the digits 1 to i.  Their
// text is plain ASCII, so the expectation needs no table.
bytes name_codes(int slot) {
  bytes codes = {static_cast<unsigned char>(0xB4 + slot)};
  for (int d = 1; d <= slot; ++d) codes.push_back(0x33 + d);
  return codes;
}
std::string name_text(int slot) {
  std::string text(1, static_cast<char>('A' + slot));
  for (int d = 1; d <= slot; ++d) text += static_cast<char>('0' + d);
  return text;
}

TEST(DecodeSaveBlockTest, EveryFieldOfEverySlot) {
  fixture::save_block block = junk_block();
  block.title(
      "\x81\x79"
      "Dawn Road"
      "\x81\x7a");
  for (int i = 0; i < 9; ++i) {
    const auto v = static_cast<std::uint32_t>(i);
    block.name(i, name_codes(i))
        .set(i, figure::level, 0x10 + v)
        .set(i, figure::strength, 0x20 + v)
        .set(i, figure::vitality, 0x30 + v)
        .set(i, figure::magic, 0x40 + v)
        .set(i, figure::spirit, 0x50 + v)
        .set(i, figure::speed, 0x60 + v)
        .set(i, figure::luck, 0x70 + v)
        .set(i, figure::hp, 0xA100 + 0x0102 * v)
        .set(i, figure::mp, 0xB200 + 0x0201 * v)
        .set(i, figure::exp, 0xC0D0E0F0 + 0x01020304 * v);
  }
  for (int k = 0; k < 4; ++k) {
    block.talk(k, static_cast<std::uint8_t>(0x81 + k))
        .battle(k, static_cast<std::uint8_t>(0xF1 + k));
  }

  const save_summary s = decode(block);
  EXPECT_EQ(s.title, kTitleStart +
                         "\x81\x79"
                         "Dawn Road"
                         "\x81\x7a");
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE("slot " + std::to_string(i));
    const character_entry& c = s.characters[static_cast<std::size_t>(i)];
    const auto v = static_cast<std::uint32_t>(i);
    EXPECT_EQ(c.name, name_text(i));
    EXPECT_EQ(c.level, static_cast<std::int32_t>(0x10 + v));
    EXPECT_EQ(c.strength, static_cast<std::int32_t>(0x20 + v));
    EXPECT_EQ(c.vitality, static_cast<std::int32_t>(0x30 + v));
    EXPECT_EQ(c.magic, static_cast<std::int32_t>(0x40 + v));
    EXPECT_EQ(c.spirit, static_cast<std::int32_t>(0x50 + v));
    EXPECT_EQ(c.speed, static_cast<std::int32_t>(0x60 + v));
    EXPECT_EQ(c.luck, static_cast<std::int32_t>(0x70 + v));
    EXPECT_EQ(c.hp, static_cast<std::int32_t>(0xA100 + 0x0102 * v));
    EXPECT_EQ(c.mp, static_cast<std::int32_t>(0xB200 + 0x0201 * v));
    EXPECT_EQ(c.exp, 0xC0D0E0F0 + 0x01020304 * v);
  }
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(s.talk_points[k], static_cast<std::int32_t>(0x81 + k));
    EXPECT_EQ(s.battle_points[k], static_cast<std::int32_t>(0xF1 + k));
  }
}

// Multi-byte figures are little-endian and unsigned.
TEST(DecodeSaveBlockTest, LittleEndianFigures) {
  struct case_t {
    figure f;
    std::uint32_t value;
  };
  const case_t cases[] = {
      {figure::hp, 0x1234},      {figure::hp, 0xBEEF},
      {figure::hp, 0xFFFF},      {figure::mp, 0x1234},
      {figure::mp, 0xBEEF},      {figure::mp, 0x8000},
      {figure::exp, 0xDEADBEEF}, {figure::exp, 0x00000001},
      {figure::exp, 0x80000000}, {figure::exp, 0xFFFFFFFF},
      {figure::exp, 0x00FF0000}, {figure::level, 0xFF},
      {figure::luck, 0x80},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(testing::Message() << "value 0x" << std::hex << c.value);
    const save_summary s = decode(junk_block().set(4, c.f, c.value));
    const character_entry& e = s.characters[4];
    switch (c.f) {
      case figure::hp:
        EXPECT_EQ(e.hp, static_cast<std::int32_t>(c.value));
        break;
      case figure::mp:
        EXPECT_EQ(e.mp, static_cast<std::int32_t>(c.value));
        break;
      case figure::exp:
        EXPECT_EQ(e.exp, c.value);
        break;
      case figure::level:
        EXPECT_EQ(e.level, static_cast<std::int32_t>(c.value));
        break;
      case figure::luck:
        EXPECT_EQ(e.luck, static_cast<std::int32_t>(c.value));
        break;
      default:
        FAIL();
    }
  }
}

TEST(DecodeSaveBlockTest, Names) {
  // The name field of party slot 2 and the byte after it, by the layout:
  // records of 132 bytes from 0x254, names of 12 codes at +0x10.
  constexpr std::size_t kNameField = 0x254 + 132 * 2 + 0x10;
  const std::string sa = "\x83\x54", ku = "\x83\x4e", ra = "\x83\x89";
  struct case_t {
    const char* what;
    bytes field;  // the 12 bytes of the field, then the byte after it
    std::string name;
  };
  const case_t cases[] = {
      {"three codes",
       {0x54, 0x4E, 0x86, 0xFF, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33,
        0x33},
       sa + ku + ra},
      {"0xFF first: empty",
       {0xFF, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54, 0x54,
        0x54},
       ""},
      {"codes after the first 0xFF are not read",
       {0x54, 0xFF, 0x4E, 0xFF, 0x86, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33,
        0x33},
       sa},
      {"twelve codes, no 0xFF, the byte after not read",
       {0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
        0xC0},
       "ABCDEFGHIJKL"},
      {"0xFF as the twelfth code",
       {0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xFF,
        0xC0},
       "ABCDEFGHIJK"},
      {"trailing blank codes trimmed",
       {0x54, 0x3F, 0xD9, 0xFF, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33,
        0x33},
       sa},
      {"twelve XIII",
       {0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6, 0xE6,
        0x33},
       "XIIIXIIIXIIIXIIIXIIIXIIIXIIIXIIIXIIIXIIIXIIIXIII"},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    const save_summary s = decode(junk_block().poke(kNameField, c.field));
    EXPECT_EQ(s.characters[2].name, c.name);
  }
}

TEST(DecodeSaveBlockTest, Title) {
  constexpr std::size_t kTitleEnd = 0x004 + 64;
  const std::string fifty_eight(58, '\x88');
  struct case_t {
    const char* what;
    std::string after_signature;
    std::string title;
  };
  const case_t cases[] = {
      {"only the signature's bytes", "", kTitleStart},
      {"ended by a zero byte", std::string("Harbor\0Gate", 11),
       kTitleStart + "Harbor"},
      {"all 64 bytes, nothing after them", fifty_eight,
       kTitleStart + fifty_eight},
      {"bytes 0x80-0xFF and blanks as they are", "\x81\x40 \xff\x80 x",
       kTitleStart + "\x81\x40 \xff\x80 x"},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    // The byte after the field is non-zero: the 64-byte limit ends the title.
    const save_summary s =
        decode(junk_block().title(c.after_signature).poke(kTitleEnd, {0x41}));
    EXPECT_EQ(s.title, c.title);
  }
}

TEST(DecodeSaveBlockTest, AffectionByIndex) {
  fixture::save_block block = junk_block();
  block.talk(0, 0).talk(1, 1).talk(2, 127).talk(3, 255);
  block.battle(0, 255).battle(1, 128).battle(2, 2).battle(3, 0);
  const save_summary s = decode(block);
  EXPECT_EQ(s.talk_points, (std::array<std::int32_t, 4>{0, 1, 127, 255}));
  EXPECT_EQ(s.battle_points, (std::array<std::int32_t, 4>{255, 128, 2, 0}));
}

// A block of zeros, as the tail of a block cut short by the end of the file:
// every figure 0, and each name twelve codes 0x00, which read as twelve
// times the entry of code 0x00.
TEST(DecodeSaveBlockTest, ZeroBlock) {
  const std::vector<unsigned char> zeros(kSaveBlockSize, 0);
  const save_summary s =
      decode_save_block(std::span<const unsigned char, kSaveBlockSize>(
          zeros.data(), kSaveBlockSize));
  std::string twelve_ba;
  for (int i = 0; i < 12; ++i) twelve_ba += "\x83\x6f";
  EXPECT_EQ(s.title, "");
  for (const character_entry& c : s.characters) {
    EXPECT_EQ(c.name, twelve_ba);
    EXPECT_EQ(c.level, 0);
    EXPECT_EQ(c.strength, 0);
    EXPECT_EQ(c.vitality, 0);
    EXPECT_EQ(c.magic, 0);
    EXPECT_EQ(c.spirit, 0);
    EXPECT_EQ(c.speed, 0);
    EXPECT_EQ(c.luck, 0);
    EXPECT_EQ(c.hp, 0);
    EXPECT_EQ(c.mp, 0);
    EXPECT_EQ(c.exp, 0u);
  }
  EXPECT_EQ(s.talk_points, (std::array<std::int32_t, 4>{}));
  EXPECT_EQ(s.battle_points, (std::array<std::int32_t, 4>{}));
}

}  // namespace
}  // namespace bondscope
