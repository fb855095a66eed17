#pragma once
// A game as it is played, without widgets: the rules and the main loop's
// passes over them, the media objects they draw and sound with, and when
// asked, the recording of the run and the best game. The session does
// start-up, the main loop and shutdown; a front end (the window, the page, a
// script's stand-in) shows it and hands it its events.
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/dx7.h"
#include "core/event_pump.h"
#include "core/random.h"
#include "core/tick.h"
#include "display/surface_drawing.h"
#include "display/surfaces.h"
#include "game/game.h"
#include "game/passes.h"
#include "play/mode.h"
#include "play/phase.h"
#include "play/session_sound.h"
#include "sound/sound_buffers.h"
#include "sound/sound_controls.h"
#include "sound/sound_loading.h"

namespace kinopa {

class BestGame;
class Recorder;
class TenBest;

// What a session needs of the front end that shows it.
class SessionFront {
 public:
  virtual ~SessionFront() = default;
  // Start-up shows the main window: from then on it is visible and has its
  // final handle.
  virtual void show() = 0;
  virtual WindowHandle& mainWindow() = 0;
  // The play field: frames are presented into it, and its size is the
  // field's size.
  virtual WindowHandle& field() = 0;
  // The sound settings as the sound settings dialog holds them.
  virtual SoundControls& soundControls() = 0;
  // A control the rules wrote: its caption, or whether it is enabled.
  virtual void captionChanged(Control control, const std::string& text) = 0;
  virtual void enabledChanged(Control control, bool enabled) = 0;
  // Shutdown's last steps: the sound settings dialog closes, then the main
  // window.
  virtual void closeWindows() = 0;
};

// The world a session plays in.
struct Services {
  TickCounter& tick;
  RandomSource& random;
  EventPump& pump;
  Mode mode = Mode::play;
  // Recording the run (null: not recorded), keeping the best game (null: not
  // kept), where the whole run's recording goes at shutdown (empty: not
  // written), and keeping the ten best games (null: not kept).
  Recorder* recorder = nullptr;
  BestGame* bestGame = nullptr;
  std::string recordFile = {};
  TenBest* tenBest = nullptr;
};

class PlaySession {
 public:
  PlaySession(const Services& services, SessionFront& front);
  ~PlaySession();
  PlaySession(const PlaySession&) = delete;
  PlaySession& operator=(const PlaySession&) = delete;

  // The whole program, as the main window's load handler runs it: the sound
  // device, start-up, the main loop, then shutdown.
  void run();
  // Its steps, for the runs that take them one by one (scripts, watching).
  void createSoundDevice();
  // Fixed numbers, the window shown, surfaces made, the first game
  // prepared.
  void startUp();
  void mainLoop();
  // The main loop from one of its turns of the window system to the next,
  // for front ends whose own scheduler runs the loop (the page): an idle
  // pass, then a frame if a game runs. Returns false once the program is to
  // end. While framePending(), the next step is due a frame later; otherwise
  // after the window system's next event (or when soundDue() says).
  bool loopStep();
  bool framePending() const { return framePending_; }
  // Saves what there is to save, then the front end closes its windows.
  void shutdown();

  // The front end's events.
  void startClicked();                          // the start button
  // A hall game: where a click on Start would begin a game, it begins one
  // whose random values come from the hall's seed (SeededRandom) and which
  // starts from what a program's first game starts from (no misses counted,
  // no popups, no pose, no hover, no catch; the pointer stays where it is);
  // its recording names the seed. It goes through the one Start sequence
  // (LoopPasses::start and the session's hooks) as a click does. The next
  // click on Start plays on the front end's random source again. Where a
  // click would pause, it pauses; watching, it does nothing.
  void startHallGame(uint64_t seed);
  // Whether a click on Start now would begin a game (not pause one, and not
  // while watching or ending): where a front end asks the hall for a seed.
  bool startBegins() const;
  // The hall's seed of the game whose time has just run out, if it was a
  // hall game: until the next game begins, it is there to send to the hall
  // (a hall game stopped by Pause is not).
  std::optional<uint64_t> hallGameOver() const;
  void endClicked();                            // the end button (and Ctrl+Q)
  // Asked to end from outside: the close box, a logout, a signal. As the end
  // button; the windows stay until shutdown closes them.
  void endRequested() { endClicked(); }
  void mouseMove(int button, int shift, float x, float y);
  void mouseUp(int button, int shift, float x, float y);
  // A release by a pointer that is over the field only while pressed (a
  // finger, a pen that does not hover): the front end hands on the press as
  // a move to where it came, and the rules judge the release by the melkit
  // as the last drawn frame saw the pointer. So while a game runs, a release
  // that follows a move no drawn frame has seen yet waits for one: it is
  // handed on at the loop's next step after that frame, as a release in the
  // window system's turn that follows it, and recorded so.
  void touchUp(int button, int shift, float x, float y);
  void fieldPainted();                          // the play field was repainted
  // The sound settings dialog's OK: the sounds are loaded, then the
  // settings saved (so that a row a failed load switched off is saved so).
  void soundSettingsOk();
  // Its Cancel: back to the saved settings.
  void soundSettingsCancel();
  void windowUnloaded();                        // the main window went

  // Where the run stands: what the front end shows and allows.
  Phase phase() const;
  // Watching: the recording has played to its end.
  void watchEnded() { watchEnded_ = true; }

  // What shutdown saves, saved now: the whole run's recording so far (when
  // asked for) and wave.ini, if it would change. The session manager asks
  // for it before a logout, the page as it goes out of sight.
  void saveNow();
  // The window system is gone (the display lost) and the program ends
  // within this turn of it: the run ends as 終了 ends it (a record raised and
  // saved, a record game kept) and what shutdown saves is saved, with no
  // window touched: from now on the rules' captions stay with the session.
  void endWithoutWindows();
  // The sound device's care between frames and in idle passes (see
  // DirectSound::tend); soundDue() says when it wants the next.
  void tendSound(bool gameRuns);
  std::optional<DirectSound::Clock::time_point> soundDue() const { return soundDue_; }
  // Watching: frames and sounds stay off the screen while a recording
  // fast-forwards to its last game.
  void showFrames(bool shown) { framesHidden_ = !shown; }

  // The rules' state, to read (a front end goes by phase()).
  const Game& game() const { return g; }
  // The rules themselves, for what plays them without a player: scripts,
  // and the tests and benchmarks that set them up or step them by hand.
  Game& rules() { return g; }
  // The main loop's passes, for what takes them one by one (a script's
  // commands).
  LoopPasses& passes() { return passes_; }
  Mode mode() const { return services_.mode; }
  // What the rules last wrote into a control, and whether it is enabled
  // (before any write: the window's first captions and states).
  const std::string& caption(Control control) const;
  bool enabled(Control control) const;
  SessionSound& sound() { return sound_; }
  // The media objects, for tests and benchmarks that look inside.
  Surfaces& surfaces() { return surfaces_; }
  SoundBuffers& soundBuffers() { return buffers_; }

 private:
  // The rules' view of the window's controls: kept here, shown by the front
  // end.
  // Watching, the game and settings buttons stay disabled whatever the
  // rules and the main loop write.
  class SessionBoard : public Board {
   public:
    SessionBoard(SessionFront& front, Mode mode);
    int fieldWidth() override;
    int fieldHeight() override;
    void setCaption(Control control, const std::string& text) override;
    void setEnabled(Control control, bool enabled) override;
    bool isEnabled(Control control) override;
    const std::string& caption(Control control) const;
    bool enabled(Control control) const;
    // The windows are gone: nothing more is shown.
    void detach() { shown_ = false; }

   private:
    SessionFront& front_;
    bool shown_ = true;
    Mode mode_;
    std::array<std::string, 6> captions_;
    std::array<bool, 6> enabled_{};
  };

  // The main loop's side of a pass: the settings button, recording, the
  // window system's turn, the sound device, the best game and the ten best.
  class PlayHooks : public PassHooks {
   public:
    explicit PlayHooks(PlaySession& s) : s_(s) {}
    void music(bool gameRuns) override;
    void idled() override;
    void framed() override;
    void yieldAfterFrame() override;
    void gameEnded() override;
    void gameBeginning() override;
    void startTaken(bool began) override;

   private:
    PlaySession& s_;
  };

  // Nothing the player does reaches the rules (but 終了 and the close box).
  bool watching() const { return services_.mode == Mode::watch; }
  // A release touchUp held, handed on now if a drawn frame has seen the
  // move before it, or no game runs.
  void releaseHeld();

  // The rules' random values: the front end's source, or for a hall game
  // the seeded generator's, recorded as the front end's are.
  class SessionRandom : public RandomSource {
   public:
    SessionRandom(RandomSource& platform, Recorder* recorder)
        : platform_(platform), recorder_(recorder) {}
    double Rnd() override;
    void use(std::optional<uint64_t> hallSeed);

   private:
    RandomSource& platform_;
    Recorder* recorder_;
    std::optional<SeededRandom> seeded_;
  };

  void writeRecording();
  std::shared_ptr<SoundBuffer> createSoundBuffer(const std::string& path);

  Services services_;
  SessionFront& front_;
  bool framesHidden_ = false;

  std::shared_ptr<DirectX7> dx;
  std::shared_ptr<DirectSound> ds;
  Surfaces surfaces_{dx};
  // musicBuffer, zarupOkBuffer, zarupFallBuffer, melkitOkBuffer, melkitMissBuffer.
  SoundBuffers buffers_;
  SoundLoading loading_;

  SessionBoard board_;
  SurfaceDrawing drawing_;
  SessionSound sound_;
  SessionRandom random_;
  Game g;
  PlayHooks playHooks_{*this};
  LoopPasses passes_{g, playHooks_};

  std::optional<DirectSound::Clock::time_point> soundDue_;
  // A game runs: the loop is between two frames, not at its idle turn.
  bool framePending_ = false;
  // The phase while no game runs: ready until a game has run; then over,
  // unless Pause stopped the game.
  Phase notRunning_ = Phase::ready;
  bool watchEnded_ = false;
  // A move came that no drawn frame has seen yet; a touch's release waits.
  bool moveUnseen_ = false;
  struct Release {
    int button, shift;
    float x, y;
  };
  std::optional<Release> heldRelease_;
  // A record the running game sets is saved as it goes (see keepRecord).
  void keepRecord();

  // The highest score the running game has to beat, the highest it saved,
  // and the game's clock when it saved it.
  std::optional<int32_t> recordToBeat_;
  int32_t recordSaved_ = 0;
  std::optional<double> recordSavedAt_;
  // The hall's seed for the Start being taken (startHallGame), none for a
  // player's click.
  std::optional<uint64_t> hallSeed_;
  // The seed of the latest game, if it is a hall game.
  std::optional<uint64_t> hallGame_;
};

}  // namespace kinopa
