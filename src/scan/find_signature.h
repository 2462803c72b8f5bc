// Locating save blocks: a forward search for a byte pattern in a seekable
// stream, in memory that does not grow with the stream.
#ifndef BONDSCOPE_SCAN_FIND_SIGNATURE_H_
#define BONDSCOPE_SCAN_FIND_SIGNATURE_H_

#include <array>
#include <cstddef>
#include <cstdio>

namespace bondscope {

/// Horspool skip distances, indexed by the byte under the window's last
/// position: `length` for every byte, then, for pattern byte j from 0 to
/// `length` - 2 in order, `length` - 1 - j.  A repeated byte keeps the
/// distance of its last occurrence before the final position.
using skip_table = std::array<std::size_t, 256>;
skip_table build_skip_table(const unsigned char* pattern, std::size_t length);

/// Size of the window buffer find_signature() allocates for each call for a
/// pattern of `length` bytes.  Fixed, whatever the stream's size.
std::size_t window_buffer_size(std::size_t length);

/// Searches `stream` forward from its current position (the start offset)
/// for the `length`-byte `pattern` (`length` >= 1).
///
/// Found: returns true with the stream positioned on the first byte of the
/// leftmost occurrence that starts at or after the start offset.  Not found:
/// returns false with the stream back at the start offset.  Only bytes before
/// the stream's end as measured when the call began are examined.  The stream
/// is read forward once; the only backward moves are onto the occurrence
/// found and back to the start offset.
///
/// The stream must be open in binary mode and seekable: a failing seek is
/// fatal ("Fatal error in fseek():"), as are a read error ("Fatal error in
/// fread():") and a failed allocation ("Fatal error in malloc()").
bool find_signature(std::FILE* stream, const unsigned char* pattern,
                    std::size_t length);

}  // namespace bondscope

#endif  // BONDSCOPE_SCAN_FIND_SIGNATURE_H_
