// The driver: command line, help text and the scan loop over one input.
#ifndef BONDSCOPE_APP_RUN_H_
#define BONDSCOPE_APP_RUN_H_

#include <string>

namespace bondscope {

/// What the command line asks for.  File names are kept whole.
struct command_line {
  bool help = false;
  bool show_status = false;
  bool show_title = false;
  bool invalid = false;     ///< an option letter other than h, s or t
  std::string source;       ///< empty: not given
  std::string destination;  ///< empty: report to standard output
};

/// Examines arguments 1 to argc - 1 in order.  An argument beginning with
/// '-' is a group of option letters, folded to lower case (ASCII A-Z only);
/// a lone '-' sets nothing.  Any other argument names the source, then the
/// destination; a third name is ignored, and an empty one fills no slot.
command_line parse_command_line(int argc, const char* const* argv);

/// Runs the whole program and returns its exit status.  Failures end the
/// process through fatal() instead of returning.
int run(int argc, const char* const* argv);

}  // namespace bondscope

#endif  // BONDSCOPE_APP_RUN_H_
