#pragma once
// The main window: the play field on the left, score, rate, time and highest
// score with the three buttons on the right. It owns the media objects and
// the game, and runs the program from its load handler.
#include <QWidget>
#include <memory>
#include <optional>

#include "app/sound_menu_controls.h"
#include "display/surfaces.h"
#include "game/game.h"
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
  // Off: wave.ini is never read or written and no sound is loaded, so
  // nothing is ever played (for runs without a player).
  bool withSoundSettings = true;
};

class DrawW : public QWidget,
              public Board,
              public FrameDrawing,
              public SoundCues,
              public WindowHandle {
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
  // Each pass of the main loop: halts music that plays although switched
  // off and, while a game runs, asks the music to play unless it is off.
  void musicStep(bool gameRuns);

  // Board
  using QWidget::isEnabled;
  using QWidget::setEnabled;
  int fieldWidth() override;
  int fieldHeight() override;
  void setCaption(Control control, const std::string& text) override;
  void setEnabled(Control control, bool enabled) override;
  bool isEnabled(Control control) override;
  // FrameDrawing
  void surfinit() override;
  void textdraw() override;
  void zarup_draw(double x, double y, double c) override;
  void melkit_draw(double x, double y, double c) override;
  void tovrin_draw(double x, double c) override;
  void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                      int32_t rh) override;
  void surfflip() override;
  // SoundCues
  void waveiniread() override;
  void loadwavex() override;
  void halt(Sound sound) override;
  void restart(Sound sound) override;
  // WindowHandle
  Rect windowRect() const override;

  // The sound settings button: shows the sound settings dialog.
  void Command1_Click();
  // The sound settings dialog, made hidden when first needed.
  SoundMenu& soundMenu();

  Game g;
  std::shared_ptr<DirectX7> dx;
  std::shared_ptr<DirectSound> ds;
  std::shared_ptr<DirectInput> di;
  std::shared_ptr<InputDevice> diMouse;
  Surfaces surfaces{dx};
  // musicBuffer, zarupOkBuffer, zarupFallBuffer, melkitOkBuffer, melkitMissBuffer.
  SoundBuffers buffers;

  // Recording the run (null: not recorded), keeping the best game (null: not
  // kept), and where the whole run's recording goes at shutdown (empty: not
  // written).
  Recorder* recorder = nullptr;
  BestGame* bestGame = nullptr;
  std::string recordFile;
  // While a recording plays: the pointer over the play field, the start and
  // the settings buttons do nothing (watching also disables both buttons);
  // the end button ends the program as ever.
  bool inputLocked = false;
  // The rules run without frames being shown or sounds played (a
  // recording's fast-forward).
  bool offScreen = false;
  // With the settings file off: the highest score that the next reading of
  // the settings gives, as a script said.
  std::optional<int32_t> scriptedHighScore;
  // Whether wave.ini is read and written and sounds are loaded; starts as
  // the services say.
  bool settingsFileInUse() const { return settingsFile_; }
  void useSettingsFile(bool on) { settingsFile_ = on; }

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
  // After the frames of a game: keeps a record game, if it was one.
  void gameOver();
  // Shutdown: the whole run's recording, when asked for.
  void writeRecording();
  // OK in the sound settings and shutdown: saves the sound settings and the
  // highest score; at shutdown only when the file would change.
  void waveiniwrite(bool onlyIfChanged = false);
  // Shutdown: closes the sound settings dialog, shown or not.
  void closeSoundMenu();
  QWidget* control(Control c);
  std::shared_ptr<SoundBuffer> createSoundBuffer(const std::string& path, SoundBufferDesc& desc,
                                                 WaveFormat& format);

  Services services_;
  bool settingsFile_ = true;
  std::unique_ptr<SoundMenu> soundMenu_;
  SoundMenuControls soundControls_{[this]() -> SoundMenu& { return soundMenu(); }};
  SoundLoading loading_{soundControls_, buffers,
                        [this](const std::string& path, SoundBufferDesc& desc, WaveFormat& format) {
                          return createSoundBuffer(path, desc, format);
                        }};
  QImage windowPicture_;
  bool unloading_ = false;
  bool centrePending_ = false;  // centred before the window manager framed it
};

}  // namespace kinopa
