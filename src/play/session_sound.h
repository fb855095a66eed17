#pragma once
// The rules' sound side in a play session: the settings file, loading, and
// the playback rules on the session's buffers, as the session's mode has them.
#include <cstdint>
#include <optional>

#include "play/mode.h"
#include "game/game.h"
#include "game/ports.h"
#include "sound/sound_buffers.h"
#include "sound/sound_controls.h"
#include "sound/sound_loading.h"

namespace kinopa {

class BestGame;
class Recorder;

class SessionSound : public SoundCues {
 public:
  // `hidden` says whether frames are kept off the screen (a recording's
  // fast-forward), which keeps the sounds quiet too; read at each call.
  SessionSound(Mode mode, SoundControls& controls, SoundBuffers& buffers, SoundLoading& loading,
              Game& g, Recorder* recorder, const BestGame* bestGame, const bool& hidden);

  // Playing: wave.ini is read into the settings and the highest score (and
  // the score recorded); when it cannot be read whole, the highest score is
  // at least the best game's. Watching: the same once, at start-up. After
  // that, and in scripts, the highest score is the one a script gave, if any.
  void waveiniread() override;
  // Playing: every sound switched on is loaded; watching: once, at start-up.
  void loadwavex() override;
  void halt(Sound sound) override;
  void restart(Sound sound) override;

  // Each pass of the main loop: halts music that plays although switched
  // off and, while a game runs, asks the music to play unless it is off.
  void musicStep(bool gameRuns);
  // OK in the sound settings and shutdown, when playing: saves the settings
  // and the highest score; at shutdown only when the file would change.
  void waveiniwrite(bool onlyIfChanged);
  // When playing: a new highest score is saved at once (see saveHighScore).
  // False when it could not be (said in a message box).
  bool keepHighScore();
  // The highest score as a script or recording says, for the next reading.
  void scriptHighScore(int32_t score) { scripted_ = score; }

 private:
  bool quiet() const { return hidden_; }

  Mode mode_;
  SoundControls& controls_;
  SoundBuffers& buffers_;
  SoundLoading& loading_;
  Game& g_;
  Recorder* recorder_;
  const BestGame* bestGame_;
  const bool& hidden_;
  std::optional<int32_t> scripted_;
  bool settingsRead_ = false;
  bool soundsLoaded_ = false;
};

}  // namespace kinopa
