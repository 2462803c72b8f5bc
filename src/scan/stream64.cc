// fseeko/ftello need off_t to be 64 bits wide on 32-bit glibc targets too.
#if !defined(_WIN32) && !defined(_FILE_OFFSET_BITS)
#define _FILE_OFFSET_BITS 64
#endif

#include "scan/stream64.h"

#include <sys/types.h>

#include <cerrno>

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#endif

namespace bondscope {

#if defined(_WIN32)
// On Windows only files on a disk have positions.  Seeking a pipe, the
// console or the NUL device "succeeds" there with a meaningless position of
// 0, so the search would take the stream for an empty file and the run
// would report success without having read what the stream holds.  (Wine
// also presents a Unix pipe opened by name, such as /dev/stdin, as a device
// of that kind.)  Such a stream fails like a pipe does on POSIX systems.
bool has_positions(std::FILE* stream) {
  const intptr_t handle = _get_osfhandle(_fileno(stream));
  return handle != -1 &&
         GetFileType(reinterpret_cast<HANDLE>(handle)) == FILE_TYPE_DISK;
}
#endif

std::int64_t tell64(std::FILE* stream) {
#if defined(_WIN32)
  return _ftelli64(stream);
#else
  return static_cast<std::int64_t>(ftello(stream));
#endif
}

int seek64(std::FILE* stream, std::int64_t offset, int origin) {
#if defined(_WIN32)
  if (!has_positions(stream)) {
    errno = ESPIPE;
    return -1;
  }
  return _fseeki64(stream, offset, origin);
#else
  return fseeko(stream, static_cast<off_t>(offset), origin);
#endif
}

}  // namespace bondscope
