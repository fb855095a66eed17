#include "play/hall_proof.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "core/player_text.h"
#include "core/random.h"
#include "game/nothing_shown.h"
#include "game/passes.h"
#include "play/carried_state.h"
#include "play/recorder.h"
#include "play/replay_script.h"
#include "play/script_player.h"

namespace kinopa {

const char* const refusal::kNotARecording = QT_TRANSLATE_NOOP("kinopa", "This is not a Kinopa recording.");
const char* const refusal::kNotAHallGame =
    QT_TRANSLATE_NOOP("kinopa", "This game was not played for the hall of fame: its recording names no seed from the hall.");
const char* const refusal::kCutShort = QT_TRANSLATE_NOOP("kinopa", "This recording is cut short.");
const char* const refusal::kUnknownSeed =
    QT_TRANSLATE_NOOP("kinopa", "This game's seed was not given by this hall of fame.");
const char* const refusal::kSeedUsed =
    QT_TRANSLATE_NOOP("kinopa", "This game's seed has already been used for another game.");
const char* const refusal::kNotAFirstGame = QT_TRANSLATE_NOOP(
    "kinopa", "This game does not start afresh: it carries something over from an earlier game.");
const char* const refusal::kNotTheSeedsLuck =
    QT_TRANSLATE_NOOP("kinopa", "This game's random values are not the ones its seed gives.");
const char* const refusal::kDamaged = QT_TRANSLATE_NOOP("kinopa", "This recording is damaged.");
const char* const refusal::kUnfinished =
    QT_TRANSLATE_NOOP("kinopa", "This recording does not play one whole game to the end of its time.");
const char* const refusal::kTooSlow =
    QT_TRANSLATE_NOOP("kinopa", "This recording took too long to check.");
const char* const refusal::kChanged = QT_TRANSLATE_NOOP(
    "kinopa", "This recording was changed: the score it tells is not the one its game gives.");
const char* const refusal::kTooSoon = QT_TRANSLATE_NOOP(
    "kinopa", "This game arrived sooner than it could have been played since its seed was given.");
const char* const refusal::kTooLate = QT_TRANSLATE_NOOP(
    "kinopa", "This game arrived too late: send a game to the hall of fame as soon as it ends.");

namespace {

HallProof refused(const char* reason, std::string why) {
  HallProof p;
  p.refusal = reason;
  p.why = std::move(why);
  return p;
}

std::string_view lineAt(std::string_view text, std::size_t& from) {
  const std::size_t end = text.find('\n', from);
  const std::size_t to = end == std::string_view::npos ? text.size() : end;
  std::string_view line = text.substr(from, to - from);
  from = end == std::string_view::npos ? text.size() : end + 1;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

template <class T>
bool number(std::string_view text, T& out) {
  if (text.empty() || text[0] == '+') return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// "# last frame N: ... score=S ..." as the recorder closes a game's recording.
bool lastState(std::string_view text, int& frames, int32_t& score) {
  const std::string_view lead = "# last frame ";
  const std::size_t at = text.rfind(std::string("\n") + std::string(lead));
  if (at == std::string_view::npos) return false;
  std::size_t from = at + 1;
  const std::string_view line = lineAt(text, from).substr(lead.size());
  const std::size_t colon = line.find(':');
  const std::size_t s = line.find(" score=");
  if (colon == std::string_view::npos || s == std::string_view::npos) return false;
  const std::size_t sEnd = line.find(' ', s + 7);
  return number(line.substr(0, colon), frames) &&
         number(line.substr(s + 7, sEnd == std::string_view::npos ? sEnd : sEnd - s - 7), score);
}

// A program's first game: nothing carried over but the highest score, the
// idle pass's clock and the pointer, with the tovrin where the pointer puts it.
bool firstGames(const CarriedState& s) {
  const int16_t half = kTovrinWidth / 2;
  const int pointed = std::clamp(s.mouseX - half, int{kTovrinLeftMost}, int{kTovrinRightMost});
  return s.frameTick == 0 && s.tovrinFrame == 0 && s.tovrinPrevX == 0 && s.tovrinX == pointed &&
         s.melkitHover == kClear && s.zarupCaught == kClear && s.melkitFrame == 0 &&
         s.misclickCount == 0 && s.popupAge == decltype(s.popupAge){};
}

// A game's end, as the passes hand it on.
class EndOfGame : public PassHooks {
 public:
  void gameEnded() override { ++ended; }
  int ended = 0;
};

}  // namespace

std::optional<uint64_t> hallSeed(std::string_view recording) {
  std::size_t from = 0;
  if (lineAt(recording, from) != Recorder::kHeader) return std::nullopt;
  // Among the comments before the first command.
  while (from < recording.size()) {
    const std::string_view line = lineAt(recording, from);
    if (line.empty() || line[0] != '#') break;
    const std::string lead =
        std::string(Recorder::kHallLine) + " " + SeededRandom::kGenerator + " seed ";
    if (line.substr(0, lead.size()) != lead) continue;
    uint64_t seed = 0;
    if (!number(line.substr(lead.size()), seed)) return std::nullopt;
    return seed;
  }
  return std::nullopt;
}

HallProof proveHallGame(std::string_view recording,
                        const std::function<std::optional<IssuedSeed>(uint64_t)>& findSeed,
                        int64_t now, const ProofLimits& limits) {
  const auto deadline = std::chrono::steady_clock::now() + limits.replayTime;
  std::size_t from = 0;
  if (lineAt(recording, from) != Recorder::kHeader)
    return refused(refusal::kNotARecording, "no recording header");
  const std::optional<uint64_t> seed = hallSeed(recording);
  if (!seed) return refused(refusal::kNotAHallGame, "no hall line");
  const std::string end = std::string("\n") + Recorder::kEnd;
  const std::size_t endAt = recording.rfind(end);
  int claimedFrames = 0;
  int32_t claimedScore = 0;
  if (endAt == std::string_view::npos ||
      recording.find_first_not_of("\r\n", endAt + end.size()) != std::string_view::npos ||
      !lastState(recording, claimedFrames, claimedScore))
    return refused(refusal::kCutShort, "no last state and end line");

  // Text only: a control character (NUL, say) hides nowhere, not even in a
  // comment.
  for (const char ch : recording)
    if (static_cast<unsigned char>(ch) < 0x20 && ch != '\n' && ch != '\r' && ch != '\t')
      return refused(refusal::kDamaged, "a control character");

  const std::optional<IssuedSeed> issued = findSeed(*seed);
  if (!issued) return refused(refusal::kUnknownSeed, "seed not issued here");
  if (issued->used) return refused(refusal::kSeedUsed, "seed already used");

  NothingShown nothing;  // no frame drawn: the score does not depend on the pictures
  ScriptTick tick;
  ScriptRandom random;
  Game g(nothing, nothing, nothing, tick, random);
  EndOfGame hooks;
  LoopPasses passes(g, hooks);
  ScriptRules rules(g, passes, tick, random, [&] {
    g.setFixedNumbers();
    g.paused = kSet;
    g.gameinit();
  });
  SeededRandom luck(*seed);

  // The replay reads a copy of the text as a stream, a command at a time.
  std::istringstream in{std::string(recording)};
  ScriptReader script(in);
  int starts = 0, frames = 0;
  bool started = false;  // the clock was read
  double startTick = 0;
  try {
    ReplayCommand c;
    for (std::size_t n = 0; script.next(c); ++n) {
      if (n == 0 && (c.kind != ReplayCommand::state ||
                     !firstGames(carriedFromValues(c.values))))
        return refused(refusal::kNotAFirstGame, "the state line is not a first game's");
      if (c.kind == ReplayCommand::random) {
        for (const double v : c.values)
          if (v != luck.Rnd())
            return refused(refusal::kNotTheSeedsLuck, "line " + std::to_string(c.line) +
                                                 ": a value the seed does not give");
      }
      if (c.kind == ReplayCommand::shot) return refused(refusal::kDamaged, "a shot in a recording");
      // The clock never goes back (a game would gain the time back).
      if (c.kind == ReplayCommand::tick && started && c.number < tick.now)
        return refused(refusal::kDamaged, "line " + std::to_string(c.line) + ": the clock went back");
      if (c.kind == ReplayCommand::tick) started = true;
      if (c.kind == ReplayCommand::start) {
        if (++starts > 1) return refused(refusal::kUnfinished, "more than one start");
      }
      if (c.kind == ReplayCommand::frame && g.paused == kClear) {
        // The game's time counts from the clock reading its first frame
        // measures from.
        if (frames++ == 0) startTick = g.prevTick;
      }
      rules.run(c);
      if (n % 256 == 0 && std::chrono::steady_clock::now() > deadline)
        return refused(refusal::kTooSlow, "the replay ran out of time");
    }
  } catch (const ScriptRandom::UsedUp&) {
    return refused(refusal::kNotTheSeedsLuck, "the rules asked for more random values than it gives");
  } catch (const ScriptError& e) {
    return refused(refusal::kDamaged, e.what());
  } catch (const std::exception& e) {
    return refused(refusal::kDamaged, std::string("the rules failed: ") + e.what());
  }
  passes.idle();  // hands on a game that ended in the last frame
  if (starts != 1 || hooks.ended != 1 || g.paused != kSet || g.remainingTime > 0)
    return refused(refusal::kUnfinished, "the game's time did not run out");
  if (claimedFrames != frames || claimedScore != g.score)
    return refused(refusal::kChanged, "the last state line tells frame " + std::to_string(claimedFrames) +
                                 " score " + std::to_string(claimedScore) + ", the replay frame " +
                                 std::to_string(frames) + " score " + std::to_string(g.score));

  HallProof p;
  p.seed = *seed;
  p.score = g.score;
  p.frames = frames;
  p.playTime = static_cast<int64_t>(g.frameTick - startTick);
  const int64_t elapsed = now - issued->issuedAt;
  if (elapsed < p.playTime)
    return refused(refusal::kTooSoon, "played " + std::to_string(p.playTime) + " ms in " +
                                 std::to_string(elapsed) + " ms");
  if (elapsed > p.playTime + limits.lateMargin)
    return refused(refusal::kTooLate, "played " + std::to_string(p.playTime) + " ms, arrived after " +
                                 std::to_string(elapsed) + " ms");
  return p;
}

}  // namespace kinopa
