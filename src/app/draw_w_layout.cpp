// The main window's look: sizes, positions, captions, fonts and colours.
#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <initializer_list>
#include <utility>

#include "app/draw_w.h"
#include "app/recorder.h"
#include "platform/errors.h"
#include "platform/fonts.h"

namespace kinopa {
namespace {

constexpr const char* kLabelFont = "ＭＳ Ｐゴシック";

QLabel* makeLabel(QWidget* parent, const char* text, QRect box, double points,
                  Qt::Alignment align, bool magenta) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
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

QPushButton* makeButton(QWidget* parent, const char* text, QRect box) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setGeometry(box);
  return button;
}

}  // namespace

DrawW::DrawW(const Services& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      framesHidden_(services.mode == Mode::watch),
      drawing_(surfaces, g, framesHidden_),
      sound_(services.mode, soundControls_, buffers, loading_, g, services.recorder, framesHidden_),
      g(board_, drawing_, sound_, services.tick, services.random) {
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
  gamestart = makeButton(this, "Start", QRect(408, 8, 97, 25));
  Label4 = makeLabel(this, "0", QRect(408, 200, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label5 = makeLabel(this, "1", QRect(408, 264, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label6 = makeLabel(this, "10000", QRect(408, 344, 97, 25), 15.75, Qt::AlignHCenter, false);
  Label7 = makeLabel(this, "最高得点", QRect(416, 104, 81, 25), 14.25, Qt::AlignLeft, true);
  Label8 = makeLabel(this, "0", QRect(416, 128, 81, 25), 14.25, Qt::AlignHCenter, true);
  Command1 = makeButton(this, "効果音設定", QRect(416, 392, 81, 25));
  Command1->setEnabled(false);

  board_.attach({Picture1, gamestart, Command1, Label4, Label5, Label6, Label8});
  // Each control is known by its name, as in the window's design.
  for (auto [widget, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
           {Picture1, "Picture1"}, {gamestart, "gamestart"}, {Command1, "Command1"},
           {gameend, "gameend"}, {Label1, "Label1"}, {Label2, "Label2"}, {Label3, "Label3"},
           {Label4, "Label4"}, {Label5, "Label5"}, {Label6, "Label6"}, {Label7, "Label7"},
           {Label8, "Label8"}})
    widget->setObjectName(QString::fromLatin1(name));
  if (inputLocked()) {
    // Watching: nothing to start or set; 終了 and the close box still end it.
    gamestart->setEnabled(false);
    Command1->setEnabled(false);
  }

  setTabOrder(Picture1, gameend);
  setTabOrder(gameend, gamestart);
  setTabOrder(gamestart, Command1);

  connect(gamestart, &QPushButton::clicked, this, [this] { guarded([this] { startClicked(); }); });
  connect(gameend, &QPushButton::clicked, this, [this] { guarded([this] { g.gameend_Click(); }); });
  // Ctrl+Q, in this window and the sound settings alike, is 終了.
  auto* quit = new QShortcut(QKeySequence::Quit, this);
  quit->setContext(Qt::ApplicationShortcut);
  connect(quit, &QShortcut::activated, this, [this] { guarded([this] { g.gameend_Click(); }); });
  connect(Command1, &QPushButton::clicked, this, [this] {
    if (!inputLocked()) guarded([this] { Command1_Click(); });
  });
  Picture1->onPaint = [this] { surfaces.Picture1_Paint(); };
  Picture1->onMouseMove = [this](int b, int s, float x, float y) {
    if (inputLocked()) return;
    if (services_.recorder) services_.recorder->move(x, y);
    g.Picture1_MouseMove(b, s, x, y);
  };
  Picture1->onMouseUp = [this](int b, int s, float x, float y) {
    if (inputLocked()) return;
    if (services_.recorder) services_.recorder->up(x, y);
    g.Picture1_MouseUp(b, s, x, y);
  };

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

}  // namespace kinopa
