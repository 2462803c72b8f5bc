// 64-bit stream positions on every platform.
//
// Inputs are often whole disk dumps larger than 4 GiB, and `long` (what
// std::ftell and std::fseek use) is 32 bits wide on some platforms, so the
// scanner positions its stream only through these two calls.
#ifndef BONDSCOPE_SCAN_STREAM64_H_
#define BONDSCOPE_SCAN_STREAM64_H_

#include <cstdint>
#include <cstdio>

namespace bondscope {

/// The stream's position, or -1 when it cannot be told.
std::int64_t tell64(std::FILE* stream);

/// std::fseek with a 64-bit offset; returns 0 on success.  A stream that
/// has no positions (a pipe, a terminal, a Windows device) fails with errno
/// ESPIPE on every platform.
int seek64(std::FILE* stream, std::int64_t offset, int origin);

#if defined(_WIN32)
/// Whether the stream is a file on a disk, the only kind of stream that has
/// positions on Windows; seek64() fails on every other kind.
bool has_positions(std::FILE* stream);
#endif

}  // namespace bondscope

#endif  // BONDSCOPE_SCAN_STREAM64_H_
