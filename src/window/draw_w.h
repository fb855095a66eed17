#pragma once
// The main window: the play field on the left, score, rate, time and highest
// score with the three buttons on the right. Its widgets show a play
// session; its handlers hand the session the player's events.
#include <QWidget>
#include <memory>

#include "dialogs/sound_menu.h"
#include "dialogs/sound_menu_controls.h"
#include "play/play_session.h"
#include "qt/picture_box.h"
#include "qt/screen_frame.h"

class QLabel;
class QPushButton;

namespace kinopa {

// A widget as the media objects see it: its outer bounds on the screen.
class WidgetHandle : public WindowHandle {
 public:
  explicit WidgetHandle(const QWidget& widget) : widget_(widget) {}
  Rect windowRect() const override;

 private:
  const QWidget& widget_;
};

class DrawW : public QWidget {
  Q_OBJECT
 public:
  // What a session sees of the main window. It is made first, the session
  // on it, then the window that shows the session, which takes its place in
  // it.
  class Front : public SessionFront {
   public:
    void show() override;
    WindowHandle& mainWindow() override;
    WindowHandle& field() override;
    SoundControls& soundControls() override { return controls_; }
    void captionChanged(Control control, const std::string& text) override;
    void enabledChanged(Control control, bool enabled) override;
    void closeWindows() override;

   private:
    friend class DrawW;
    DrawW& window() const;

    DrawW* w_ = nullptr;
    // The sound settings dialog's controls, the dialog made when first
    // needed.
    SoundMenuControls controls_{[this]() -> SoundMenu& { return window().soundMenu(); }};
  };

  // The window of `session`, made on `front`.
  DrawW(PlaySession& session, Front& front, QWidget* parent = nullptr);
  ~DrawW() override;

  // Load handler: runs the session (its sound device, start-up, the main
  // loop, shutdown); returns when the program has shut down.
  void Form_Load();
  // The sound settings button: shows the sound settings dialog.
  void Command1_Click();
  // The sound settings dialog, made hidden when first needed.
  SoundMenu& soundMenu();
  // The program is asked to end from outside (a logout, a signal, the
  // session manager): as 終了 does, once any dialog waiting for an answer
  // has given way.
  void endRequested();

  PlaySession& session() { return session_; }
  PictureBox& field() { return *Picture1; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void buildLayout();
  // Puts the window, its frame as far as known, in the middle of the screen.
  void centreOnScreen();
  void Form_Unload();
  // Closes the sound settings dialog for good, shown or not.
  void closeSoundMenu();
  // The widget that shows a control the rules write.
  QWidget* control(Control c) const;

  Front& front_;
  PlaySession& session_;
  std::unique_ptr<SoundMenu> soundMenu_;
  WidgetHandle handle_{*this};

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
  bool unloading_ = false;
  bool centrePending_ = false;  // centred before the window manager framed it
};

}  // namespace kinopa
