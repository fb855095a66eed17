#include <gtest/gtest.h>

#include <sstream>

#include "app/replay_script.h"

namespace kinopa {
namespace {

std::vector<ReplayCommand> parse(const std::string& text) {
  std::istringstream in(text);
  return parseReplayScript(in);
}

TEST(ReplayScript, ReadsEveryCommandWithCommentsAndBlankLines) {
  const auto script = parse(
      "# a game\n"
      "random 0 0.5 .25 9.9e-1  # four values\n"
      "\n"
      "   tick -2147483648\n"
      "idle\nstart\nmove -12.5 1e3\nup 3 4#no blank needed\nframe\nshot out.png\n");
  ASSERT_EQ(script.size(), 8u);
  EXPECT_EQ(script[0].values, (std::vector<double>{0, 0.5, 0.25, 0.99}));
  EXPECT_EQ(script[1].number, INT32_MIN);
  EXPECT_EQ(script[1].line, 4);
  EXPECT_EQ(script[4].kind, ReplayCommand::move);
  EXPECT_EQ(script[4].values, (std::vector<double>{-12.5, 1000}));
  EXPECT_EQ(script[5].values, (std::vector<double>{3, 4}));
  EXPECT_EQ(script[7].file, "out.png");
}

class BadScript : public testing::TestWithParam<const char*> {};

TEST_P(BadScript, IsRefusedWhole) {
  // A good first line does not help a bad later one.
  EXPECT_THROW(parse(std::string("frame\n") + GetParam() + "\n"), ScriptError);
}
INSTANTIATE_TEST_SUITE_P(
    Table, BadScript,
    testing::Values("jump", "Frame", "frame 1", "idle now", "start 2", "tick", "tick 1 2",
                    "tick 1.5", "tick 2147483648", "tick -2147483649", "tick 1e3", "random",
                    "random 1", "random -0.1", "random 0.5 1.0", "random nan", "move 1",
                    "move 1 2 3", "move x 2", "up 1 inf", "up 0x10 2", "move 1. 2e", "shot",
                    "shot a b", "high", "high 1.5", "high 2147483648"));

}  // namespace
}  // namespace kinopa
