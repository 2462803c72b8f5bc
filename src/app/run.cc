#include "app/run.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <system_error>

#include "app/fatal.h"
#include "report/report.h"
#include "save/affection.h"
#include "save/save_block.h"
#include "scan/find_signature.h"
#include "scan/stream64.h"

namespace bondscope {
namespace {

void write_help() {
  std::fputs(
      "bondscope - report the affection counters, titles and party figures "
      "stored in save blocks\n",
      stdout);
  std::fprintf(stdout, "%s: [option] src-filename [dst-filename]\n",
               program_name());
  std::fputs(
      "\t-t\tprint save-data's title\n"
      "\t-s\tprint states of each characters\n"
      "\t-h\tdisplay this help and exit\n"
      "\n",
      stdout);
}

// A report that could not be written is a failure, not a success with
// missing lines.
void check_written(std::FILE* out) {
  if (std::ferror(out)) fatal("Fatal error in fwrite():");
}

// Asks the file system about a name.  Building a path can throw for a name
// the platform cannot convert; such a name is left for fopen to judge.
template <typename Question>
bool ask_file_system(Question question) {
  try {
    std::error_code ec;
    return question(ec) && !ec;
  } catch (const std::exception&) {
    return false;
  }
}

// Opening the destination for writing empties it; when it is the source
// (by any name, link or hard link) that would destroy the input before it
// is read.
bool same_file(const std::string& a, const std::string& b) {
  return ask_file_system([&](std::error_code& ec) {
    return std::filesystem::equivalent(std::filesystem::path(a),
                                       std::filesystem::path(b), ec);
  });
}

bool is_directory(const std::string& path) {
  return ask_file_system([&](std::error_code& ec) {
    return std::filesystem::is_directory(std::filesystem::path(path), ec);
  });
}

bool is_pipe(const std::string& path) {
  return ask_file_system([&](std::error_code& ec) {
    return std::filesystem::is_fifo(std::filesystem::path(path), ec);
  });
}

std::FILE* open_source(const std::string& path) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) fatal("%s:", path.c_str());
  // Some platforms open a directory for reading without complaint; it can
  // hold no save, and reading it fails in ways that say little.
  if (is_directory(path)) {
    errno = EISDIR;
    fatal("%s:", path.c_str());
  }
#if defined(_WIN32)
  // Only disk files have positions on Windows, and only they can be told
  // apart from the destination: a device name that reaches a file (as
  // Wine's /dev/stdin reaches whatever standard input was redirected from)
  // would slip past the same-file check, and opening the destination would
  // empty the very file being read.  The search's first seek would fail
  // anyway, so fail here, before the destination is touched.
  if (!has_positions(in)) {
    errno = ESPIPE;
    fatal("Fatal error in fseek():");
  }
#endif
  return in;
}

void scan(std::FILE* in, std::FILE* out, const command_line& options) {
  std::array<unsigned char, kSaveBlockSize> block;
  while (find_signature(in, kSaveSignature.data(), kSaveSignature.size())) {
    // A block cut short by the end of the file keeps zeros in its tail and
    // is still decoded and reported.
    block.fill(0);
    const std::size_t got = std::fread(block.data(), 1, block.size(), in);
    if (got < block.size() && std::ferror(in)) {
      fatal("Fatal error in fread():");
    }
    const save_summary summary = decode_save_block(block);
    if (options.show_title) write_title(out, summary);
    write_affection(out, summary);
    if (options.show_status) write_status(out, summary);
    std::fputc('\n', out);
    check_written(out);
    // The next search starts right after the bytes read: 8192 bytes past
    // this signature, so a signature inside this block is not reported.
  }
}

}  // namespace

command_line parse_command_line(int argc, const char* const* argv) {
  command_line c;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg == nullptr) continue;
    if (arg[0] == '-') {
      for (const char* p = arg + 1; *p != '\0'; ++p) {
        unsigned char letter = static_cast<unsigned char>(*p);
        if (letter >= 'A' && letter <= 'Z') letter = letter - 'A' + 'a';
        switch (letter) {
          case 'h':
            c.help = true;
            break;
          case 's':
            c.show_status = true;
            break;
          case 't':
            c.show_title = true;
            break;
          default:
            c.invalid = true;
            break;
        }
      }
    } else if (c.source.empty()) {
      c.source = arg;
    } else if (c.destination.empty()) {
      c.destination = arg;
    }
  }
  return c;
}

int run(int argc, const char* const* argv) {
  errno = 0;
  set_program_name(argc > 0 ? argv[0] : nullptr);
  const command_line options = parse_command_line(argc, argv);

  if (options.help) {
    write_help();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      fatal("Fatal error in fwrite():");
    }
    return 0;
  }
  if (options.invalid) fatal("Invalid option");
  if (options.source.empty()) fatal("Too few arguments");

  // The source is opened first: when it cannot be read, the destination is
  // never created or emptied.  A pipe can never be searched, since the
  // search seeks; opening a named pipe would also wait for a writer that may
  // never come, so a pipe is not opened at all and fails below exactly as
  // the search's first seek would.
  const bool source_is_pipe = is_pipe(options.source);
  std::FILE* in = source_is_pipe ? nullptr : open_source(options.source);
  std::FILE* out = stdout;
  if (!options.destination.empty()) {
    if (same_file(options.source, options.destination)) {
      fatal("Destination is the same file as the source");
    }
    out = std::fopen(options.destination.c_str(), "w");
    if (out == nullptr) fatal("%s:", options.destination.c_str());
  }

  if (source_is_pipe) {
    errno = ESPIPE;
    fatal("Fatal error in fseek():");
  }
  scan(in, out, options);

  std::fclose(in);  // nothing was written to it; a failure here loses nothing
  if (out != stdout) {
    if (std::fclose(out) != 0) fatal("Fatal error in fwrite():");
  } else if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    fatal("Fatal error in fwrite():");
  }
  return 0;
}

}  // namespace bondscope
