#include "app/run.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace bondscope {
namespace {

struct parsed {
  bool help, show_status, show_title, invalid;
  std::string source, destination;
};

bool operator==(const parsed& a, const parsed& b) {
  return a.help == b.help && a.show_status == b.show_status &&
         a.show_title == b.show_title && a.invalid == b.invalid &&
         a.source == b.source && a.destination == b.destination;
}

void PrintTo(const parsed& p, std::ostream* os) {
  *os << "help " << p.help << ", status " << p.show_status << ", title "
      << p.show_title << ", invalid " << p.invalid << ", source \"" << p.source
      << "\", destination \"" << p.destination << "\"";
}

parsed parse(const std::vector<const char*>& argv) {
  const command_line c =
      parse_command_line(static_cast<int>(argv.size()), argv.data());
  return {c.help,    c.show_status, c.show_title,
          c.invalid, c.source,      c.destination};
}

TEST(ParseCommandLineTest, Arguments) {
  const std::string long_source = std::string(1500, 's') + ".bin";
  const std::string long_destination = std::string(1023, 'd') + "X";
  struct case_t {
    const char* what;
    std::vector<const char*> argv;
    parsed want;  // help, status, title, invalid, source, destination
  };
  const case_t cases[] = {
      {"no arguments at all", {}, {false, false, false, false, "", ""}},
      {"program name only", {"prog"}, {false, false, false, false, "", ""}},
      {"argument 0 is never a file name",
       {"card.bin"},
       {false, false, false, false, "", ""}},
      {"source", {"prog", "in"}, {false, false, false, false, "in", ""}},
      {"source and destination",
       {"prog", "in", "out"},
       {false, false, false, false, "in", "out"}},
      {"a third name is ignored",
       {"prog", "in", "out", "more", "yet"},
       {false, false, false, false, "in", "out"}},
      {"options before, between and after names",
       {"prog", "-t", "in", "-s", "out", "-h"},
       {true, true, true, false, "in", "out"}},
      {"grouped -st", {"prog", "-st"}, {false, true, true, false, "", ""}},
      {"grouped -ts", {"prog", "-ts"}, {false, true, true, false, "", ""}},
      {"separate -s -t",
       {"prog", "-s", "-t"},
       {false, true, true, false, "", ""}},
      {"repeated letters",
       {"prog", "-tttt"},
       {false, false, true, false, "", ""}},
      {"upper case folded",
       {"prog", "-H", "-S", "-T"},
       {true, true, true, false, "", ""}},
      {"mixed case group", {"prog", "-sT"}, {false, true, true, false, "", ""}},
      {"unknown letter",
       {"prog", "-x", "in"},
       {false, false, false, true, "in", ""}},
      {"unknown letter in a group",
       {"prog", "-txs"},
       {false, true, true, true, "", ""}},
      {"help and an unknown letter",
       {"prog", "-hz"},
       {true, false, false, true, "", ""}},
      // Only A-Z are folded: the byte just past each end of that range, and
      // bytes 0x80 and above, among them 'h', 's', 't', 'H', 'S', 'T' + 0x80.
      {"@ and [ are not letters",
       {"prog", "-@["},
       {false, false, false, true, "", ""}},
      {"0xE8 is not h", {"prog", "-\xE8"}, {false, false, false, true, "", ""}},
      {"0xF3 is not s", {"prog", "-\xF3"}, {false, false, false, true, "", ""}},
      {"0xF4 is not t", {"prog", "-\xF4"}, {false, false, false, true, "", ""}},
      {"0xC8 is not H", {"prog", "-\xC8"}, {false, false, false, true, "", ""}},
      {"0xD3 0xD4 are not S T",
       {"prog", "-\xD3\xD4"},
       {false, false, false, true, "", ""}},
      {"0x80 and 0xFF",
       {"prog", "-\x80\xFF"},
       {false, false, false, true, "", ""}},
      {"a dash alone sets nothing and names nothing",
       {"prog", "-", "in", "-"},
       {false, false, false, false, "in", ""}},
      {"-- is a group with a dash in it",
       {"prog", "--", "in"},
       {false, false, false, true, "in", ""}},
      {"a name beginning with a dash is a group",
       {"prog", "-card.bin"},
       {false, false, false, true, "", ""}},
      {"empty arguments fill no slot",
       {"prog", "", "in", "", "out"},
       {false, false, false, false, "in", "out"}},
      {"null arguments are skipped",
       {"prog", nullptr, "in", nullptr, "-t", nullptr, "out"},
       {false, false, true, false, "in", "out"}},
      {"null argument 0",
       {nullptr, "in"},
       {false, false, false, false, "in", ""}},
      {"names longer than 1023 bytes kept whole",
       {"prog", long_source.c_str(), long_destination.c_str()},
       {false, false, false, false, long_source, long_destination}},
      {"bytes 0x80 and above in names",
       {"prog", "\x83\x4A\x81\x5B\x83\x68.bin"},
       {false, false, false, false, "\x83\x4A\x81\x5B\x83\x68.bin", ""}},
  };
  for (const case_t& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(parse(c.argv), c.want);
  }
}

}  // namespace
}  // namespace bondscope
