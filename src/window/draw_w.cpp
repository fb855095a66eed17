// The main window: its look (sizes, positions, captions, fonts and colours)
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
#include <initializer_list>
#include <utility>

#include "core/errors.h"
#include "qt/fonts.h"
#include "window/draw_w.h"

namespace kinopa {
namespace {

constexpr const char* kLabelFont = "ＭＳ Ｐゴシック";

QLabel* makeLabel(QWidget* parent, const std::string& text, QRect box, double points,
                  Qt::Alignment align, bool magenta) {
  auto* label = new QLabel(QString::fromStdString(text), parent);
  label->setGeometry(box);
  label->setFont(layoutFont(kLabelFont, points, true));
  label->setAlignment(align | Qt::AlignTop);
  label->setAttribute(Qt::WA_TranslucentBackground);
  if (magenta) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 0, 255));
    label->setPalette(pal);
  }
  return label;
}

QPushButton* makeButton(QWidget* parent, const std::string& text, QRect box) {
  auto* button = new QPushButton(QString::fromStdString(text), parent);
  button->setGeometry(box);
  return button;
}

}  // namespace

Rect WidgetHandle::windowRect() const {
  const QRect r = widget_.frameGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

DrawW::DrawW(const Services& services, QWidget* parent)
    : QWidget(parent), session_(services, front_) {
  buildLayout();
}

DrawW::~DrawW() = default;

void DrawW::buildLayout() {
  setWindowTitle(QStringLiteral("Kinopa"));
  setWindowIcon(QIcon(QStringLiteral(":/art/kinopa.ico")));
  // A fixed frame with a close box only.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(512, kFieldHeight);  // the play field fills its height
  windowPicture_.set(QImage(QStringLiteral(":/art/window.jpg")));
  if (windowPicture_.isNull()) throw PlatformError("draw_w", "Picture", "window picture missing");

  // Created in tab order; the labels never take the focus.
  Picture1 = new PictureBox(this);
  Picture1->setGeometry(0, 0, kFieldWidth, kFieldHeight);
  const QImage field(QStringLiteral(":/art/field.bmp"));
  if (field.isNull()) throw PlatformError("Picture1", "Picture", "play field picture missing");
  Picture1->setPicture(field);
  gameend = makeButton(this, "終了", QRect(408, 568, 95, 25));
  Label1 = makeLabel(this, "得点", QRect(408, 184, 97, 41), 14.25, Qt::AlignHCenter, false);
  Label2 = makeLabel(this, "得点増加率", QRect(408, 248, 97, 41), 12, Qt::AlignHCenter, false);
  Label3 = makeLabel(this, "残り時間", QRect(408, 320, 97, 49), 14.25, Qt::AlignHCenter, false);
  // The controls the rules write show what the session holds for them.
  const auto first = [this](Control c) { return session_.caption(c); };
  gamestart = makeButton(this, first(Control::gamestart), QRect(408, 8, 97, 25));
  Label4 = makeLabel(this, first(Control::Label4), QRect(408, 200, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label5 = makeLabel(this, first(Control::Label5), QRect(408, 264, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label6 = makeLabel(this, first(Control::Label6), QRect(408, 344, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label7 = makeLabel(this, "最高得点", QRect(416, 104, 81, 25), 14.25, Qt::AlignLeft, true);
  Label8 = makeLabel(this, first(Control::Label8), QRect(416, 128, 81, 25), 14.25, Qt::AlignHCenter, true);
  Command1 = makeButton(this, first(Control::Command1), QRect(416, 392, 81, 25));
  for (Control c : {Control::gamestart, Control::Command1})
    control(c)->setEnabled(session_.enabled(c));
  // Each control is known by its name, as in the window's design.
  for (auto [widget, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
           {Picture1, "Picture1"}, {gamestart, "gamestart"}, {Command1, "Command1"},
           {gameend, "gameend"}, {Label1, "Label1"}, {Label2, "Label2"}, {Label3, "Label3"},
           {Label4, "Label4"}, {Label5, "Label5"}, {Label6, "Label6"}, {Label7, "Label7"},
           {Label8, "Label8"}})
    widget->setObjectName(QString::fromLatin1(name));
  setTabOrder(Picture1, gameend);
  setTabOrder(gameend, gamestart);
  setTabOrder(gamestart, Command1);

  connect(gamestart, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.startClicked(); }); });
  connect(gameend, &QPushButton::clicked, this,
          [this] { guarded([this] { session_.endClicked(); }); });
  // Ctrl+Q, in this window and the sound settings alike, is 終了.
  auto* quit = new QShortcut(QKeySequence::Quit, this);
  quit->setContext(Qt::ApplicationShortcut);
  connect(quit, &QShortcut::activated, this, [this] { guarded([this] { session_.endClicked(); }); });
  connect(Command1, &QPushButton::clicked, this, [this] {
    if (!session_.inputLocked()) guarded([this] { Command1_Click(); });
  });
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
  QWidget* w = w_.control(control);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(QString::fromStdString(text));
  } else {
    static_cast<QPushButton*>(w)->setText(QString::fromStdString(text));
  }
}

void DrawW::Front::enabledChanged(Control control, bool enabled) {
  w_.control(control)->setEnabled(enabled);
}

void DrawW::Front::closeWindows() {
  w_.closeSoundMenu();
  w_.unloading_ = true;
  w_.close();
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
