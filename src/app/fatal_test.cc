#include "app/fatal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace bondscope {
namespace {

using testing::ExitedWithCode;

// Standard error of the dying process, byte for byte.
testing::Matcher<const std::string&> stderr_is(const std::string& text) {
  return testing::Matcher<const std::string&>(text);
}

std::string error_text(int number) { return std::strerror(number); }

TEST(ProgramNameTest, Store) {
  set_program_name("first");
  EXPECT_STREQ(program_name(), "first");
  set_program_name(nullptr);  // changes nothing
  EXPECT_STREQ(program_name(), "first");
  set_program_name("");
  EXPECT_STREQ(program_name(), "");
  // A name is kept whole up to 1023 bytes, and cut there when longer.
  const std::string limit(1023, 'n');
  set_program_name(limit.c_str());
  EXPECT_EQ(program_name(), limit);
  const std::string longer = std::string(1023, 'm') + "TAIL";
  set_program_name(longer.c_str());
  EXPECT_EQ(program_name(), std::string(1023, 'm'));
  set_program_name("");
}

TEST(FatalDeathTest, Messages) {
  EXPECT_EXIT(
      {
        set_program_name("");
        fatal("Too few arguments");
      },
      ExitedWithCode(1), stderr_is("Too few arguments\n"));
  EXPECT_EXIT(
      {
        set_program_name("./bin/bondscope");
        fatal("Too few arguments");
      },
      ExitedWithCode(1), stderr_is("./bin/bondscope: Too few arguments\n"));
  // The name is printed as it is, even when it holds a conversion.
  EXPECT_EXIT(
      {
        set_program_name("odd%sname");
        fatal("Invalid option");
      },
      ExitedWithCode(1), stderr_is("odd%sname: Invalid option\n"));
  EXPECT_EXIT(
      {
        set_program_name((std::string(1023, 'p') + "cut").c_str());
        fatal("Invalid option");
      },
      ExitedWithCode(1),
      stderr_is(std::string(1023, 'p') + ": Invalid option\n"));
  // A null format writes nothing, and the status is still 1.
  EXPECT_EXIT(
      {
        set_program_name("prog");
        const char* none = nullptr;
        fatal(none);
      },
      ExitedWithCode(1), stderr_is(""));
}

// The error text follows only when the format itself ends in a colon.
TEST(FatalDeathTest, ErrorText) {
  const std::string enoent = error_text(ENOENT);
  EXPECT_EXIT(
      {
        set_program_name("prog");
        errno = ENOENT;
        fatal("%s:", "card.bin");
      },
      ExitedWithCode(1), stderr_is("prog: card.bin: " + enoent + "\n"));
  EXPECT_EXIT(
      {
        set_program_name("prog");
        errno = ENOENT;
        fatal("%s:", "odd:");
      },
      ExitedWithCode(1), stderr_is("prog: odd:: " + enoent + "\n"));
  EXPECT_EXIT(
      {
        set_program_name("prog");
        errno = ENOENT;
        fatal("%s", "odd:");
      },
      ExitedWithCode(1), stderr_is("prog: odd:\n"));
  EXPECT_EXIT(
      {
        set_program_name("prog");
        errno = ENOENT;
        fatal("Invalid option");
      },
      ExitedWithCode(1), stderr_is("prog: Invalid option\n"));
  EXPECT_EXIT(
      {
        set_program_name("");
        errno = ENOSPC;
        fatal("Fatal error in fwrite():");
      },
      ExitedWithCode(1),
      stderr_is("Fatal error in fwrite(): " + error_text(ENOSPC) + "\n"));
  EXPECT_EXIT(
      {
        set_program_name("prog");
        errno = ENOMEM;
        fatal("Fatal error in malloc()");
      },
      ExitedWithCode(1), stderr_is("prog: Fatal error in malloc()\n"));
}

// Lines already written to a report file are still in it after the failure.
TEST(FatalDeathTest, WrittenReportStays) {
  // Where fork() is missing (Windows), the dying process runs this test body
  // again from its start, so the name must come out the same in both: the
  // test's working folder keeps concurrent runs of other builds apart.
  const std::filesystem::path path =
      std::filesystem::current_path() / "bondscope_fatal_test_report.txt";
  EXPECT_EXIT(
      {
        std::FILE* out = std::fopen(path.string().c_str(), "w");
        if (out == nullptr) std::abort();
        std::fputs("first save\n\n", out);
        fatal("Fatal error in fread():");
      },
      ExitedWithCode(1), "");
  std::ifstream in(path, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)),
                         std::istreambuf_iterator<char>());
  in.close();
  std::filesystem::remove(path);
  // A text stream: line feeds reach a Windows file as CR LF.
#if defined(_WIN32)
  EXPECT_EQ(kept, "first save\r\n\r\n");
#else
  EXPECT_EQ(kept, "first save\n\n");
#endif
}

}  // namespace
}  // namespace bondscope
