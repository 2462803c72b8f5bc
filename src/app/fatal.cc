#include "app/fatal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bondscope {
namespace {

// One process-wide store, written once at start-up.  A fixed array rather
// than a std::string so that fatal() never allocates on its way out.
char g_program_name[kProgramNameLimit + 1];

}  // namespace

void set_program_name(const char* text) {
  if (text == nullptr) return;
  std::size_t n = std::strlen(text);
  if (n > kProgramNameLimit) n = kProgramNameLimit;
  std::memcpy(g_program_name, text, n);
  g_program_name[n] = '\0';
}

const char* program_name() { return g_program_name; }

void report_message(const char* format, std::va_list args) {
  if (format == nullptr) return;
  // The error text must describe the failure that led here, so take errno
  // before any of the formatting below has a chance to change it.
  const int error_number = errno;

  // Written piece by piece straight to the unbuffered standard error: no
  // allocation, so the path works when memory has run out too.
  if (g_program_name[0] != '\0') std::fprintf(stderr, "%s: ", g_program_name);
  std::vfprintf(stderr, format, args);
  // Only the format decides: "%s:" gets the error text even when the file
  // name it expands to ends in a colon too, "Invalid option" never does.
  const std::size_t format_length = std::strlen(format);
  if (format_length > 0 && format[format_length - 1] == ':') {
    std::fprintf(stderr, " %s", std::strerror(error_number));
  }
  std::fputc('\n', stderr);
}

void fatal(const char* format, ...) {
  const int error_number = errno;
  // Report lines already written must come out before the message, also when
  // standard output is a file or a pipe.
  std::fflush(stdout);
  errno = error_number;
  if (format != nullptr) {
    std::va_list args;
    va_start(args, format);
    report_message(format, args);
    va_end(args);
  }
  // exit() rather than _Exit(): it flushes and closes every open stream, so a
  // report file keeps the lines written before the failure.
  std::exit(1);
}

}  // namespace bondscope
