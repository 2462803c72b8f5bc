// Inputs larger than 4 GiB: whole-disk dumps are, and on Windows `long` (what
// std::ftell and std::fseek use) is 32 bits wide, so a position past the
// 4 GiB mark is lost unless every position is 64-bit.  The inputs are sparse
// files: their holes cost no disk, but they are read like any other bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/run.h"
#include "fixture/save_builder.h"
#include "save/save_block.h"
#include "scan/find_signature.h"
#include "scan/stream64.h"

namespace {

constexpr std::uint64_t k4GiB = std::uint64_t{1} << 32;

// A scratch file that is removed again, also when a test fails.
class scratch_file {
 public:
  explicit scratch_file(const std::string& name)
      : path_(std::filesystem::path(testing::TempDir()) /
              ("bondscope_large_input_" + name)) {}
  ~scratch_file() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Name codes 0xB4 to 0xCD are the capitals A to Z.
fixture::bytes capitals(const std::string& word) {
  fixture::bytes codes;
  for (char c : word)
    codes.push_back(static_cast<unsigned char>(0xB4 + c - 'A'));
  return codes;
}

// A save whose first affection line names `who` (party slot 3).
fixture::save_block save_named(const std::string& who, std::uint8_t talk) {
  fixture::save_block block;
  block.name(3, capitals(who)).talk(0, talk).battle(0, talk + 1);
  return block;
}

// Runs the whole program on `source`, the report going to `report`.
std::string report_of(const std::string& source, const std::string& report) {
  const std::string name = "bondscope";
  const char* argv[] = {name.c_str(), source.c_str(), report.c_str()};
  EXPECT_EQ(bondscope::run(3, argv), 0);
  return read_file(report);
}

TEST(LargeInput, SearchFromBeyondFourGiBStopsOnTheSignature) {
  // One save straddling the mark and one well past it; the search starts
  // from positions that do not fit in 32 bits.
  const std::uint64_t across = k4GiB - 4;
  const std::uint64_t after = k4GiB + 3 * 8192 + 7;
  fixture::image img;
  img.hole(across).save(save_named("ACROSS", 1));
  img.hole(after - img.size()).save(save_named("AFTER", 2));
  scratch_file file("search.bin");
  img.write(file.path());

  std::FILE* in = std::fopen(file.path().c_str(), "rb");
  ASSERT_NE(in, nullptr);
  const auto& signature = bondscope::kSaveSignature;

  struct step {
    std::uint64_t start;
    bool found;
    std::uint64_t position;  // where the stream is left
  };
  const step steps[] = {
      {across - 100, true, across},  {across + 1, true, after},
      {k4GiB + 1, true, after},      {after, true, after},
      {after + 1, false, after + 1},
  };
  for (const step& s : steps) {
    SCOPED_TRACE(s.start);
    ASSERT_EQ(
        bondscope::seek64(in, static_cast<std::int64_t>(s.start), SEEK_SET), 0);
    EXPECT_EQ(bondscope::find_signature(in, signature.data(), signature.size()),
              s.found);
    EXPECT_EQ(bondscope::tell64(in), static_cast<std::int64_t>(s.position));
  }
  std::fclose(in);
}

TEST(LargeInput, SavesBeforeAcrossAndBeyondFourGiBAreAllReported) {
  const std::vector<fixture::save_block> saves = {save_named("BEFORE", 10),
                                                  save_named("ACROSS", 20),
                                                  save_named("AFTER", 30)};

  fixture::image large;
  large.junk(4096).save(saves[0]);
  large.hole(k4GiB - 4 - large.size()).save(saves[1]);
  large.hole(5 * 8192).save(saves[2]).zeros(100);
  ASSERT_GT(large.size(), k4GiB + 8192);
  scratch_file large_file("large.bin");
  large.write(large_file.path());

  // The same saves back to back in a small file report the same lines.
  fixture::image small;
  for (const auto& s : saves) small.save(s);
  scratch_file small_file("small.bin");
  small.write(small_file.path());

  scratch_file large_report("large.txt");
  scratch_file small_report("small.txt");
  const std::string expected =
      report_of(small_file.path(), small_report.path());
  const std::string got = report_of(large_file.path(), large_report.path());

  const auto before = expected.find("BEFORE ");
  const auto across = expected.find("ACROSS ");
  const auto after = expected.find("AFTER ");
  ASSERT_NE(before, std::string::npos);
  ASSERT_NE(across, std::string::npos);
  ASSERT_NE(after, std::string::npos);
  EXPECT_LT(before, across);
  EXPECT_LT(across, after);
  EXPECT_EQ(got, expected);
}

}  // namespace
