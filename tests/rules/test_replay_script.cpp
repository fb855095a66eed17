#include <gtest/gtest.h>

#include <sstream>

#include "play/carried_state.h"
#include "play/replay_script.h"

namespace kinopa {
namespace {

const char* const kState =
    "state high=7 tick=40,38 tovrin=100,2,96 mouse=150,540 hover=-1 caught=0 melkit=9 misses=2 "
    "ages=0,120,0,3,0,0,7";

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

TEST(ReplayScript, AStateLineReadsBackAsItsValues) {
  const auto script = parse(std::string("# one game\n") + kState + "\nstart\n");
  ASSERT_EQ(script.size(), 2u);
  const CarriedState s = carriedFromValues(script[0].values);
  EXPECT_EQ(stateCommand(s), kState);
  EXPECT_EQ(s.mouseY, 540);
  EXPECT_EQ(s.melkitHover, -1);
  EXPECT_EQ(s.popupAge[6], 7);
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
                    "shot a b", "high", "high 1.5", "high 2147483648",
                    // state: only first (after "frame" here), malformed or out of range
                    kState, "state", "state high=0"));

class BadState : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(BadState, IsRefused) {
  std::string line = kState;
  const auto [from, to] = GetParam();
  line.replace(line.find(from), std::string(from).size(), to);
  EXPECT_THROW(parse(line + "\n"), ScriptError) << line;
}
INSTANTIATE_TEST_SUITE_P(
    Table, BadState,
    testing::Values(std::pair{"high=7", "high=2147483648"}, std::pair{"high=7", "high=7.5"},
                    std::pair{"high=7", "high=+7"}, std::pair{"high=7", "high=0x7"},
                    std::pair{"high=7", "hi=7"}, std::pair{"tick=40,38", "tick=40"},
                    std::pair{"tick=40,38", "tick=40,38,1"}, std::pair{"tick=40,38", "tick=40,"},
                    std::pair{"tick=40,38", "tick=4e1,38"},
                    std::pair{"tick=40,38", "tick=-2147483649,38"},
                    std::pair{"tovrin=100,2,96", "tovrin=-1,2,96"},
                    std::pair{"tovrin=100,2,96", "tovrin=316,2,96"},
                    std::pair{"tovrin=100,2,96", "tovrin=100,2,316"},
                    std::pair{"tovrin=100,2,96", "tovrin=100,1,96"},
                    std::pair{"tovrin=100,2,96", "tovrin=100,4,96"},
                    std::pair{"mouse=150,540", "mouse=150,32768"},
                    std::pair{"hover=-1", "hover=1"}, std::pair{"caught=0", "caught=-2"},
                    std::pair{"melkit=9", "melkit=10"}, std::pair{"misses=2", "misses=3"},
                    std::pair{"misses=2", "misses=-1"}, std::pair{"ages=0,", "ages=121,"},
                    std::pair{"ages=0,", "ages=,"}, std::pair{",7", ",7,0"},
                    std::pair{" tick", " misses=2 tick"}));

}  // namespace
}  // namespace kinopa
