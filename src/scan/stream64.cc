// fseeko/ftello need off_t to be 64 bits wide on 32-bit glibc targets too.
#if !defined(_WIN32) && !defined(_FILE_OFFSET_BITS)
#define _FILE_OFFSET_BITS 64
#endif

#include "scan/stream64.h"

#include <sys/types.h>

namespace bondscope {

std::int64_t tell64(std::FILE* stream) {
#if defined(_WIN32)
  return _ftelli64(stream);
#else
  return static_cast<std::int64_t>(ftello(stream));
#endif
}

int seek64(std::FILE* stream, std::int64_t offset, int origin) {
#if defined(_WIN32)
  return _fseeki64(stream, offset, origin);
#else
  return fseeko(stream, static_cast<off_t>(offset), origin);
#endif
}

}  // namespace bondscope
