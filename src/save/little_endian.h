// Reading little-endian numbers from a byte buffer, byte by byte, so the
// result does not depend on the host's byte order or alignment rules.
#ifndef BONDSCOPE_SAVE_LITTLE_ENDIAN_H_
#define BONDSCOPE_SAVE_LITTLE_ENDIAN_H_

#include <cstddef>
#include <cstdint>

namespace bondscope {

inline std::uint8_t read_u8(const unsigned char* bytes, std::size_t offset) {
  return bytes[offset];
}

inline std::uint16_t read_u16le(const unsigned char* bytes,
                                std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t read_u32le(const unsigned char* bytes,
                                std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) |
         static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

}  // namespace bondscope

#endif  // BONDSCOPE_SAVE_LITTLE_ENDIAN_H_
