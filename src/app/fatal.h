// The program's single failure path and the program-name store it uses.
//
// Every module reports a failure where it happens by calling fatal(): the
// message goes to standard error as one line, prefixed with the program name,
// and the process ends with status 1.  Nothing returns an error to its caller.
// This header is the only part of the driver that the scan, save and report
// modules may include.
#ifndef BONDSCOPE_APP_FATAL_H_
#define BONDSCOPE_APP_FATAL_H_

#include <cstdarg>
#include <cstddef>

#if defined(__GNUC__) || defined(__clang__)
#define BONDSCOPE_PRINTF(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define BONDSCOPE_PRINTF(fmt, first)
#endif

namespace bondscope {

/// Longest program name kept, in bytes; a longer argument 0 is cut.
inline constexpr std::size_t kProgramNameLimit = 1023;

/// Stores the first kProgramNameLimit bytes of `text` as the program name.
/// A null `text` leaves the stored name as it is.
void set_program_name(const char* text);

/// The stored program name; empty until set_program_name() stores one.
const char* program_name();

/// Writes one diagnostic line to standard error: "NAME: " when a program
/// name is stored, `format` expanded with `args`, then, when `format` itself
/// ends in ':', a blank and the text of the current error number.  A null
/// `format` writes nothing.
void report_message(const char* format, std::va_list args)
    BONDSCOPE_PRINTF(1, 0);

/// Flushes standard output, reports `format` through report_message() and
/// exits with status 1, so every open stream is flushed on the way out.
[[noreturn]] void fatal(const char* format, ...) BONDSCOPE_PRINTF(1, 2);

}  // namespace bondscope

#endif  // BONDSCOPE_APP_FATAL_H_
