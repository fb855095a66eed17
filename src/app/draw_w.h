#pragma once
// The main window: the play field on the left, score, rate, time and highest
// score with the three buttons on the right. It owns the media objects and
// the game, and runs the program from its load handler.
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "app/sound_menu_controls.h"
#include "app/surface_drawing.h"
#include "app/window_board.h"
#include "app/window_mode.h"
#include "app/window_sound.h"
#include "display/surfaces.h"
#include "game/game.h"
#include "game/passes.h"
#include "platform/dx7.h"
#include "platform/event_pump.h"
#include "platform/picture_box.h"
#include "sound/sound_buffers.h"
#include "sound/sound_loading.h"

class QLabel;
class QPushButton;

namespace kinopa {

class BestGame;
class Recorder;

struct Services {
  TickCounter& tick;
  RandomSource& random;
  EventPump& pump;
  Mode mode = Mode::play;
  // Recording the run (null: not recorded), keeping the best game (null: not
  // kept), and where the whole run's recording goes at shutdown (empty: not
  // written).
  Recorder* recorder = nullptr;
  BestGame* bestGame = nullptr;
  std::string recordFile;
};

class DrawW : public QWidget {
  Q_OBJECT
 public:
  explicit DrawW(const Services& services, QWidget* parent = nullptr);
  ~DrawW() override;

  // Load handler: creates the sound device and runs init; returns when the
  // program has shut down.
  void Form_Load();
  // Start-up without the sound device and the main loop: fixed numbers,
  // window shown, surfaces and input made, the first game prepared. For
  // running the rules by script.
  void startUp();
  // Creates the sound device (the first step of the load handler).
  void createSoundDevice();
  // Saves what there is to save, closes the sound settings dialog and this
  // window.
  void shutdown();
  // The sound device's care between frames and in idle passes (see
  // DirectSound::tend); soundDue() says when it wants the next.
  void tendSound(bool gameRuns);
  std::optional<std::chrono::steady_clock::time_point> soundDue() const { return soundDue_; }

  // The sound settings button: shows the sound settings dialog.
  void Command1_Click();
  // The program is asked to end from outside (a logout, a signal, the
  // session manager): as 終了 does, once any dialog waiting for an answer
  // has given way.
  void endRequested();
  // The session manager asks for what there is to save: saved now, as at
  // shutdown.
  void saveNow() { sound_.waveiniwrite(true); }
  // The sound settings dialog, made hidden when first needed.
  SoundMenu& soundMenu();

  // The game the window plays, its play field, and what the rules last wrote
  // into a control.
  Game& game() { return g; }
  PictureBox& field() { return *Picture1; }
  const std::string& caption(Control control) const { return board_.caption(control); }
  // The sound side, as scripts drive it.
  WindowSound& sound() { return sound_; }
  // Watching: frames and sounds stay off the screen while the recording
  // fast-forwards to its last game.
  void showFrames(bool shown) { framesHidden_ = !shown; }
  // The media objects, for tests and benchmarks that look inside.
  Surfaces& drawingSurfaces() { return surfaces; }
  SoundBuffers& soundBuffers() { return buffers; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void buildLayout();
  // Puts the window, its frame as far as known, in the middle of the screen.
  void centreOnScreen();
  void init();
  void mainLoop();
  void Form_Unload();
  // The start button's click, recorded.
  void startClicked();
  // Shutdown: the whole run's recording, when asked for.
  void writeRecording();
  // Shutdown: closes the sound settings dialog, shown or not.
  void closeSoundMenu();
  std::shared_ptr<SoundBuffer> createSoundBuffer(const std::string& path, SoundBufferDesc& desc,
                                                 WaveFormat& format);
  bool inputLocked() const { return services_.mode == Mode::watch; }

  // The main loop's side of a pass: the settings button, recording, the
  // window system's turn, the best game.
  class PlayHooks : public PassHooks {
   public:
    explicit PlayHooks(DrawW& w) : w_(w) {}
    void music(bool gameRuns) override;
    void idled() override;
    void framed() override;
    void yieldAfterFrame() override;
    void gameEnded() override;

   private:
    DrawW& w_;
  };

  Services services_;
  bool framesHidden_ = false;

  std::shared_ptr<DirectX7> dx;
  std::shared_ptr<DirectSound> ds;
  std::shared_ptr<DirectInput> di;
  std::shared_ptr<InputDevice> diMouse;
  Surfaces surfaces{dx};
  // musicBuffer, zarupOkBuffer, zarupFallBuffer, melkitOkBuffer, melkitMissBuffer.
  SoundBuffers buffers;

  std::unique_ptr<SoundMenu> soundMenu_;
  SoundMenuControls soundControls_{[this]() -> SoundMenu& { return soundMenu(); }};
  SoundLoading loading_{soundControls_, buffers,
                        [this](const std::string& path, SoundBufferDesc& desc, WaveFormat& format) {
                          return createSoundBuffer(path, desc, format);
                        }};

  // What the rules see of the window; the game is made after them.
  WindowBoard board_;
  SurfaceDrawing drawing_;
  WindowSound sound_;
  WidgetHandle handle_{*this};
  Game g;
  PlayHooks playHooks_{*this};
  LoopPasses passes_{g, playHooks_};

  PictureBox* Picture1 = nullptr;
  QPushButton* gamestart = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* gameend = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;

  DevicePicture windowPicture_;
  std::optional<std::chrono::steady_clock::time_point> soundDue_;
  // The highest score the running game has to beat.
  std::optional<int32_t> recordToBeat_;
  bool unloading_ = false;
  bool centrePending_ = false;  // centred before the window manager framed it
};

}  // namespace kinopa
