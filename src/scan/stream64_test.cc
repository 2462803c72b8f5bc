#include "scan/stream64.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fixture/save_builder.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

using bondscope::seek64;
using bondscope::tell64;

constexpr std::int64_t k4GiB = std::int64_t{1} << 32;

TEST(Stream64, PositionsPastFourGiBAreKeptWhole) {
  // A sparse file of 4 GiB + 101 bytes whose only data byte is its last one,
  // so a position that wrapped at 32 bits would read a zero instead.
  fixture::image img;
  img.hole(k4GiB + 100).append({0xAB});
  const std::string path =
      (std::filesystem::path(testing::TempDir()) / "bondscope_stream64.bin")
          .string();
  img.write(path);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);

  EXPECT_EQ(seek64(f, 0, SEEK_END), 0);
  EXPECT_EQ(tell64(f), k4GiB + 101);
  EXPECT_EQ(seek64(f, k4GiB + 7, SEEK_SET), 0);
  EXPECT_EQ(tell64(f), k4GiB + 7);
  EXPECT_EQ(seek64(f, 93, SEEK_CUR), 0);
  EXPECT_EQ(tell64(f), k4GiB + 100);
  EXPECT_EQ(std::fgetc(f), 0xAB);
  EXPECT_EQ(seek64(f, -k4GiB - 1, SEEK_CUR), 0);
  EXPECT_EQ(tell64(f), 100);
  EXPECT_EQ(std::fgetc(f), 0);

  std::fclose(f);
  std::filesystem::remove(path);
}

// The search measures the input by seeking to its end: a stream without
// positions must make that seek fail rather than look like an empty file.
TEST(Stream64, StreamsWithoutPositionsCannotSeek) {
  struct stream {
    const char* what;
    std::FILE* file;
  };
  std::vector<stream> streams;
  int ends[2];
#if defined(_WIN32)
  ASSERT_EQ(_pipe(ends, 4096, _O_BINARY), 0);
  streams.push_back({"a pipe", _fdopen(ends[0], "rb")});
  streams.push_back({"the NUL device", std::fopen("NUL", "rb")});
#else
  ASSERT_EQ(pipe(ends), 0);
  streams.push_back({"a pipe", fdopen(ends[0], "rb")});
#endif
  for (const stream& s : streams) {
    SCOPED_TRACE(s.what);
    ASSERT_NE(s.file, nullptr);
    for (int origin : {SEEK_END, SEEK_SET, SEEK_CUR}) {
      errno = 0;
      EXPECT_NE(seek64(s.file, 0, origin), 0);
      EXPECT_EQ(errno, ESPIPE);
    }
    std::fclose(s.file);
  }
#if defined(_WIN32)
  _close(ends[1]);
#else
  close(ends[1]);
#endif
}

}  // namespace
