#pragma once
// Records what the rules read from the world while the game is played, as a
// replay script: the clock at each reading, the random values, the pointer
// over the play field, the start button and the highest score read from the
// settings. Fed to kinopa-replay, a recording gives back the game exactly.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "play/carried_state.h"
#include "play/state_line.h"
#include "core/random.h"
#include "core/tick.h"

namespace kinopa {

class Recorder {
 public:
  // The first line of every recording.
  static constexpr const char* kHeader = "# Kinopa recording";
  // The last line: a recording without it was cut short.
  static constexpr const char* kEnd = "# end of recording";
  // A hall game's line after the header: "# hall generator NAME seed N",
  // the generator its random values come from and the hall's seed for it
  // (a comment: replays read the values themselves, as in any recording).
  static constexpr const char* kHallLine = "# hall generator";
  static std::string hallLine(uint64_t seed);

  Recorder();
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // What was read, in the order it was read. Appending allocates nothing
  // while room() holds; the main loop makes room between frames.
  void tick(int32_t t);  // written only when it changed
  void random(double v);
  void idle() { append("idle\n"); }
  void frame();  // after each frame; keeps a copy of the state
  void move(float x, float y) { point("move", x, y); }
  void up(float x, float y) { point("up", x, y); }
  void start() { append("start\n"); }
  void high(int32_t score);

  // Between frames: moves what the buffer holds to a temporary file once it
  // is half full, so a long session keeps a steady memory footprint. A
  // recording that would pass its limit, or cannot be moved, stops there
  // (said once on standard error).
  void makeRoom();
  // The state after the latest frame, and its number.
  void keepState(const StateSnapshot& s) { last_ = s; }
  int frames() const { return frames_; }
  bool full() const { return full_; }

  // The whole recording so far, closed with the last frame's state line and
  // the end line.
  std::string text() const;

  // A click on Start is about to begin a game that the run so far left in
  // state `s`: a recording of that game alone begins here. A hall game
  // names its seed.
  void gameStarts(const CarriedState& s, std::optional<uint64_t> hallSeed = std::nullopt);
  // The recording of the latest game alone, up to now: the header (and a
  // hall game's line), the state
  // it started from and the clock's reading then, its own commands, then
  // the last frame's state line and the end line. Without a game, text().
  std::string gameText() const;

 private:
  struct GameStart {
    std::size_t offset;  // in the whole recording
    int32_t tick;
    int frames;
    CarriedState state;
    std::optional<uint64_t> hallSeed;
  };

  // The whole recording from `offset` on.
  std::string since(std::size_t offset) const;
  std::string closing(int frameNumber) const;
  void point(const char* what, float x, float y);
  void append(const char* s);
  void stop(const char* why);

  std::string buffer_;
  std::FILE* spill_ = nullptr;  // the run's earlier part; removed when closed
  std::size_t spilled_ = 0;
  int32_t lastTick_ = 0;
  int frames_ = 0;
  bool full_ = false;
  StateSnapshot last_;
  std::optional<GameStart> game_;
};

// The clock and the random source, recorded as the rules read them.
class RecordedTick : public TickCounter {
 public:
  RecordedTick(TickCounter& clock, Recorder& recorder) : clock_(clock), recorder_(recorder) {}
  int32_t GetTickCount() override;

 private:
  TickCounter& clock_;
  Recorder& recorder_;
};

class RecordedRandom : public RandomSource {
 public:
  RecordedRandom(RandomSource& source, Recorder& recorder) : source_(source), recorder_(recorder) {}
  double Rnd() override;

 private:
  RandomSource& source_;
  Recorder& recorder_;
};

}  // namespace kinopa
