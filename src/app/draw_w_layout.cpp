// The main window's look: sizes, positions, captions, fonts and colours.
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "app/draw_w.h"
#include "app/recorder.h"
#include "display/popups.h"
#include "display/sprites.h"
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
      g(*this, *this, *this, services.tick, services.random),
      services_(services),
      settingsFile_(services.withSoundSettings) {
  buildLayout();
}

DrawW::~DrawW() = default;

void DrawW::buildLayout() {
  setWindowTitle(QStringLiteral("Kinopa"));
  setWindowIcon(QIcon(QStringLiteral(":/art/kinopa.ico")));
  // A fixed frame with a close box only.
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(512, 599);
  windowPicture_ = QImage(QStringLiteral(":/art/window.jpg"));
  if (windowPicture_.isNull()) throw PlatformError("draw_w", "Picture", "window picture missing");

  // Created in tab order; the labels never take the focus.
  Picture1 = new PictureBox(this);
  Picture1->setGeometry(0, 0, 399, 599);
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

  setTabOrder(Picture1, gameend);
  setTabOrder(gameend, gamestart);
  setTabOrder(gamestart, Command1);

  connect(gamestart, &QPushButton::clicked, this, [this] { guarded([this] { startClicked(); }); });
  connect(gameend, &QPushButton::clicked, this, [this] { guarded([this] { g.gameend_Click(); }); });
  connect(Command1, &QPushButton::clicked, this, [this] {
    if (!inputLocked) guarded([this] { Command1_Click(); });
  });
  Picture1->onPaint = [this] { surfaces.Picture1_Paint(); };
  Picture1->onMouseMove = [this](int b, int s, float x, float y) {
    if (inputLocked) return;
    if (recorder) recorder->move(x, y);
    g.Picture1_MouseMove(b, s, x, y);
  };
  Picture1->onMouseUp = [this](int b, int s, float x, float y) {
    if (inputLocked) return;
    if (recorder) recorder->up(x, y);
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

void DrawW::paintEvent(QPaintEvent*) {
  // The window picture at its natural size, cut off at the edges.
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  painter.drawImage(QPoint(0, 0), windowPicture_);
}

QWidget* DrawW::control(Control c) {
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

int DrawW::fieldWidth() { return Picture1->width(); }
int DrawW::fieldHeight() { return Picture1->height(); }

void DrawW::setCaption(Control c, const std::string& text) {
  const QString t = QString::fromStdString(text);
  QWidget* w = control(c);
  if (auto* label = qobject_cast<QLabel*>(w))
    label->setText(t);
  else
    static_cast<QPushButton*>(w)->setText(t);
}

void DrawW::setEnabled(Control c, bool enabled) { control(c)->setEnabled(enabled); }
bool DrawW::isEnabled(Control c) { return control(c)->isEnabled(); }

void DrawW::surfinit() { surfaces.surfinit(); }
void DrawW::textdraw() {
  kinopa::textdraw(surfaces, PopupTable{g.popupActive, g.popupX, g.popupY, g.objects.popupAge,
                                        g.objects.popupRect});
}
void DrawW::zarup_draw(double x, double y, double c) { kinopa::zarup_draw(surfaces, x, y, c); }
void DrawW::melkit_draw(double x, double y, double c) { kinopa::melkit_draw(surfaces, x, y, c); }
void DrawW::tovrin_draw(double x, double c) { kinopa::tovrin_draw(surfaces, x, c); }
void DrawW::DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t rw,
                           int32_t rh) {
  surfaces.backSurface->DrawRoundedBox(x1, y1, x2, y2, rw, rh);
}
void DrawW::surfflip() {
  if (!offScreen) surfaces.surfflip();
}

Rect DrawW::windowRect() const {
  const QRect r = frameGeometry();
  return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace kinopa
