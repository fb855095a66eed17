#pragma once
// The phase of a run, as everything outside the rules sees it: the play
// session derives it from the rules' -1/0 flags (`paused`, `quitRequested`),
// which stay inside the rules.

namespace kinopa {

enum class Phase {
  // Start-up has prepared the first game and none has run yet: Start begins
  // one.
  ready,
  // A game runs, a frame each pass: Pause stops it; the sound settings
  // cannot be opened.
  running,
  // Pause stopped the game. There is no resume: Start begins a new one.
  stopped,
  // The game's time ran out: Restart begins a new one.
  over,
  // 終了, the close box or a request from outside (a logout, a signal): the
  // program is ending, a running game with it. Nothing leaves this phase.
  ending,
  // A recording plays: nothing the player does but 終了 reaches the rules;
  // the game and settings buttons stay disabled.
  watching,
  // The recording has played to its end; its last frame stays.
  watched,
};

// The phase by its name above, for front ends that speak in text (the page).
constexpr const char* phaseName(Phase phase) {
  switch (phase) {
    case Phase::ready: return "ready";
    case Phase::running: return "running";
    case Phase::stopped: return "stopped";
    case Phase::over: return "over";
    case Phase::ending: return "ending";
    case Phase::watching: return "watching";
    case Phase::watched: return "watched";
  }
  return "";
}

}  // namespace kinopa
