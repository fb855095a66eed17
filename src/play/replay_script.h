#pragma once
// Replay scripts: what the rules read from the world, one command a line.
//
//   state ...        the state the run before this game left (see
//                    carried_state.h); only as the first command
//   random V V ...   values in [0, 1) for the random source, used in order
//   high N           the highest score N, as reading wave.ini would give it
//   tick T           the tick counter reads T (whole ms) from now on
//   idle             the main loop's outer pass: prevTick from the counter
//   start            a click on the start button
//   move X Y         a pointer move over the play field
//   up X Y           a button released over the play field
//   frame            one pass of a running game (or an idle pass), then a
//                    state line
//   shot FILE        the play field as last presented, as a PNG
//
// "#" starts a comment anywhere; blank lines are skipped.
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kinopa {

struct ReplayCommand {
  enum Kind { random, high, tick, idle, start, move, up, frame, shot, state } kind;
  // random: the values; move, up: x and y; state: its values in order
  std::vector<double> values;
  int32_t number = 0;  // tick: the reading; high: the score
  std::string file;
  int line = 0;  // where it stands in the script
};

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a script a command at a time, as it plays, so that a script of any
// length takes no more memory than its longest line. Anything wrong (an
// unknown command, a wrong number of arguments, a number that does not parse,
// a `state` line that is malformed, out of range or not the first command, a
// random value outside [0, 1), a tick or score outside the signed 32-bit
// range) throws ScriptError naming the line.
class ScriptReader {
 public:
  explicit ScriptReader(std::istream& in) : in_(in) {}
  // The next command into `c`; false at the script's end.
  bool next(ReplayCommand& c);
  // Back to the script's first command (a stream that can seek).
  void rewind();

 private:
  std::istream& in_;
  std::string text_;
  int line_ = 0;
  bool any_ = false;  // a command was read
};

// Reads a whole script, as ScriptReader does.
std::vector<ReplayCommand> parseReplayScript(std::istream& in);

}  // namespace kinopa
