#pragma once
// Plays replay script commands through a main window whose clock and random
// source are the script's, and describes the game's state after a frame.
#include <functional>
#include <string>
#include <vector>

#include "app/script_rules.h"
#include "app/state_line.h"

namespace kinopa {

class DrawW;

// The state after a frame, read from the window.
StateSnapshot takeSnapshot(DrawW& w);
// The state as a replay's frame shows it, taken right after `game`: the
// highest-score rule that follows a frame in the main loop is applied to the
// copy (the events handled in between never change the score).
StateSnapshot frameSnapshot(DrawW& w);

class ScriptPlayer {
 public:
  // `startUp` runs start-up on the window; the first command other than
  // random and high calls it.
  ScriptPlayer(DrawW& w, ScriptTick& tick, ScriptRandom& random, std::function<void()> startUp);

  // Runs one command; errors of the rules are thrown (overflow, the random
  // sequence used up, ...).
  void run(const ReplayCommand& c);
  bool started() const { return started_; }
  // `frame` commands so far.
  int frames() const { return frames_; }

 private:
  // A script's passes play the music as the window's settings say; the
  // script itself is the window system's turn.
  class MusicOnly : public PassHooks {
   public:
    explicit MusicOnly(DrawW& w) : w_(w) {}
    void music(bool gameRuns) override;

   private:
    DrawW& w_;
  };

  DrawW& w_;
  ScriptTick& tick_;
  ScriptRandom& random_;
  std::function<void()> startUp_;
  MusicOnly hooks_;
  LoopPasses passes_;
  bool started_ = false;
  int frames_ = 0;
};

}  // namespace kinopa
