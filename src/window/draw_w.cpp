// The main window: its widgets, made as its look says (play/window_look.h),
// and its handlers.
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "core/errors.h"
#include "dialogs/look_widgets.h"
#include "window/draw_w.h"

namespace kinopa {

Rect WidgetHandle::windowRect() const {
  const QRect r = widget_.frameGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

DrawW::DrawW(PlaySession& session, Front& front, QWidget* parent)
    : QWidget(parent), front_(front), session_(session) {
  buildLayout();
  front_.w_ = this;
}

DrawW::~DrawW() { front_.w_ = nullptr; }

DrawW& DrawW::Front::window() const {
  if (w_ == nullptr) throw Error("the main window is not there");
  return *w_;
}

void DrawW::Front::show() { window().show(); }
WindowHandle& DrawW::Front::mainWindow() { return window().handle_; }
WindowHandle& DrawW::Front::field() { return *window().Picture1; }

void DrawW::buildLayout() {
  const WindowLook& look = mainWindowLook();
  setWindowTitle(QString::fromUtf8(look.caption));
  setWindowIcon(QIcon(QStringLiteral(":/art/kinopa.ico")));
  // A fixed frame with a close box only.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(look.width, look.height);
  windowPicture_.set(QImage(QStringLiteral(":/art/window.jpg")));
  if (windowPicture_.isNull()) throw PlatformError("draw_w", "Picture", "window picture missing");

  // The controls the rules write show what the session holds for them.
  makeControls(*this, look, [this](const ControlLook& c) {
    return c.ruled ? session_.caption(*c.ruled) : std::string(c.caption);
  });
  Picture1 = &controlWidget<PictureBox>(*this, "Picture1");
  gamestart = &controlWidget<QPushButton>(*this, "gamestart");
  Command1 = &controlWidget<QPushButton>(*this, "Command1");
  gameend = &controlWidget<QPushButton>(*this, "gameend");
  Label1 = &controlWidget<QLabel>(*this, "Label1");
  Label2 = &controlWidget<QLabel>(*this, "Label2");
  Label3 = &controlWidget<QLabel>(*this, "Label3");
  Label4 = &controlWidget<QLabel>(*this, "Label4");
  Label5 = &controlWidget<QLabel>(*this, "Label5");
  Label6 = &controlWidget<QLabel>(*this, "Label6");
  Label7 = &controlWidget<QLabel>(*this, "Label7");
  Label8 = &controlWidget<QLabel>(*this, "Label8");
  for (const ControlLook& c : look.controls)
    if (c.ruled) control(*c.ruled)->setEnabled(session_.enabled(*c.ruled));
  const QImage field(QStringLiteral(":/art/field.bmp"));
  if (field.isNull()) throw PlatformError("Picture1", "Picture", "play field picture missing");
  Picture1->setPicture(field);

  connect(gamestart, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.startClicked(); }); });
  connect(gameend, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.endClicked(); }); });
  // Ctrl+Q, in this window and the sound settings alike, is 終了.
  auto* quit = new QShortcut(QKeySequence::Quit, this);
  quit->setContext(Qt::ApplicationShortcut);
  connect(quit, &QShortcut::activated, this, [this] { guarded([this] { session_.endClicked(); }); });
  connect(Command1, &QPushButton::clicked, this, [this] { guarded([this] { Command1_Click(); }); });
  Picture1->onPaint = [this] { session_.fieldPainted(); };
  Picture1->onMouseMove = [this](int b, int s, float x, float y) { session_.mouseMove(b, s, x, y); };
  Picture1->onMouseUp = [this](int b, int s, float x, float y) { session_.mouseUp(b, s, x, y); };

  // Centred on the screen when first shown: for now as if it had no frame;
  // the frame's size is only known once the window manager has framed it.
  centreOnScreen();
  centrePending_ = true;
}

void DrawW::centreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;  // no screen: nothing to centre on
  QRect whole = frameGeometry();
  whole.moveCenter(screen->availableGeometry().center());
  move(whole.topLeft());  // a window's position is that of its frame
}

void DrawW::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // Framing moves the window: from then on its frame is known, and the whole
  // window, title bar and border included, is centred once more. Later moves
  // are the player's own.
  if (centrePending_ && frameGeometry().size() != size()) {
    centrePending_ = false;
    centreOnScreen();
  }
}

void DrawW::paintEvent(QPaintEvent* event) {
  // The window picture at its natural size, cut off at the edges.
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  windowPicture_.paint(painter, QPoint(0, 0));
}

void DrawW::Form_Load() { session_.run(); }

QWidget* DrawW::control(Control c) const {
  switch (c) {
    case Control::gamestart: return gamestart;
    case Control::Command1: return Command1;
    case Control::Label4: return Label4;
    case Control::Label5: return Label5;
    case Control::Label6: return Label6;
    case Control::Label8: return Label8;
  }
  throw IndexError();
}

void DrawW::Front::captionChanged(Control control, const std::string& text) {
  QWidget* w = window().control(control);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(QString::fromStdString(text));
  } else {
    static_cast<QPushButton*>(w)->setText(QString::fromStdString(text));
  }
}

void DrawW::Front::enabledChanged(Control control, bool enabled) {
  window().control(control)->setEnabled(enabled);
}

void DrawW::Front::closeWindows() {
  DrawW& w = window();
  w.closeSoundMenu();
  w.unloading_ = true;
  w.close();
}

SoundMenu& DrawW::soundMenu() {
  if (!soundMenu_) {
    soundMenu_ = std::make_unique<SoundMenu>(SoundMenu::Routines{
        [this] { session_.soundSettingsOk(); }, [this] { session_.soundSettingsCancel(); }});
  }
  return *soundMenu_;
}

void DrawW::closeSoundMenu() {
  if (soundMenu_) soundMenu_->unload();
}

void DrawW::Command1_Click() {
  KINOPA_ROUTINE("draw_w.Command1_Click");
  SoundMenu& menu = soundMenu();
  menu.show();
  menu.raise();
  menu.activateWindow();
}

void DrawW::closeEvent(QCloseEvent* event) {
  if (!unloading_) {
    // The close box asks the main loop to end; shutdown does the closing.
    session_.endRequested();
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void DrawW::endRequested() {
  for (int i = 0; i < 8; ++i) {  // a box over the file chooser, say
    QWidget* waiting = QApplication::activeModalWidget();
    if (waiting == nullptr || !waiting->close()) break;
  }
  guarded([this] { session_.endRequested(); });
}

void DrawW::Form_Unload() {
  session_.windowUnloaded();
  closeSoundMenu();
}

}  // namespace kinopa
