/* The Windows build of bondscope, run under Wine as a native command.
 *
 * The end-to-end cases run `bondscope ...` through PATH, also with an
 * argument 0 of their choosing (`exec -a NAME bondscope`).  A script cannot
 * stand in for the program there, since the kernel replaces a script's
 * argument 0 with its path; this small native program can.  It runs
 *
 *   wine-run.sh PREFIX as_argv0.exe ARGV0 bondscope.exe ARGUMENT...
 *
 * (paths compiled in from launcher_config.h), so the Windows program sees
 * argument 0 and every argument exactly as given here, and ends with its
 * exit status.  The program's standard streams are the launcher's own.
 *
 * It also checks the platform's line ends: every line the program writes to
 * standard output or standard error goes through a text stream and must end
 * in CR LF.  Where those streams are regular files the launcher reads back
 * what the program appended and reports any line that ends in a bare LF, on
 * standard error, so the case's comparison fails.
 *
 * Built with the build machine's C compiler; POSIX only. */
#define _POSIX_C_SOURCE 200809L
#define _FILE_OFFSET_BITS 64

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "launcher_config.h"

struct watched {
  int fd;
  const char* name;
  int regular;
  off_t start;
};

static void note_start(struct watched* w) {
  struct stat st;
  w->regular = fstat(w->fd, &st) == 0 && S_ISREG(st.st_mode);
  w->start = w->regular ? lseek(w->fd, 0, SEEK_CUR) : -1;
  if (w->start < 0) w->regular = 0;
}

/* Returns 1 if the bytes the program appended hold a line feed that does not
 * follow a carriage return. */
static int has_bare_line_feed(const struct watched* w) {
  const off_t end = lseek(w->fd, 0, SEEK_CUR);
  if (end <= w->start) return 0;
  /* The stream is usually open for writing only: read it by a new open. */
  char path[64];
  snprintf(path, sizeof path, "/proc/self/fd/%d", w->fd);
  const int in = open(path, O_RDONLY);
  if (in < 0) return 0;
  int bare = 0;
  char previous = '\0';
  char buffer[65536];
  off_t at = w->start;
  while (at < end && !bare) {
    size_t want = sizeof buffer;
    if ((off_t)want > end - at) want = (size_t)(end - at);
    const ssize_t got = pread(in, buffer, want, at);
    if (got <= 0) break;
    for (ssize_t i = 0; i < got; ++i) {
      if (buffer[i] == '\n' && previous != '\r') bare = 1;
      previous = buffer[i];
    }
    at += got;
  }
  close(in);
  return bare;
}

int main(int argc, char** argv) {
  const char* argument0 = argc > 0 && argv[0] != NULL ? argv[0] : "";
  struct watched streams[2] = {{1, "standard output", 0, -1},
                               {2, "standard error", 0, -1}};
  note_start(&streams[0]);
  note_start(&streams[1]);

  const int extra = argc > 1 ? argc - 1 : 0;
  char** args = calloc((size_t)extra + 6, sizeof *args);
  if (args == NULL) return 125;
  args[0] = (char*)BONDSCOPE_WINE_RUN;
  args[1] = (char*)BONDSCOPE_WINE_PREFIX;
  args[2] = (char*)BONDSCOPE_AS_ARGV0;
  args[3] = (char*)argument0;
  args[4] = (char*)BONDSCOPE_TARGET;
  for (int i = 0; i < extra; ++i) args[5 + i] = argv[1 + i];

  const pid_t child = fork();
  if (child < 0) {
    perror("bondscope launcher: fork");
    return 125;
  }
  if (child == 0) {
    execv(args[0], args);
    perror("bondscope launcher: " BONDSCOPE_WINE_RUN);
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      perror("bondscope launcher: waitpid");
      return 125;
    }
  }

  for (int i = 0; i < 2; ++i) {
    if (streams[i].regular && has_bare_line_feed(&streams[i])) {
      char message[160];
      const int n = snprintf(message, sizeof message,
                             "bondscope launcher: a line written to %s ends "
                             "in LF, not CR LF\n",
                             streams[i].name);
      if (write(2, message, (size_t)n) < 0) {
        /* standard error is gone; the status still tells */
      }
    }
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 125;
}
