// kinopa-look: the end-to-end tests' eyes on a real X server. It takes
// pictures of windows, reads the texts the main window's labels and start
// button show in such a picture, and finds the sprites in the play field.
//
// Texts are read by drawing the game's own main window off screen with
// candidate texts and comparing the pixels with the picture, so a label reads
// "30000" only when it looks exactly as the game draws "30000" there.
//
//   kinopa-look shot WINDOW FILE      the window's contents as PNG ("root": the screen)
//   kinopa-look read FILE CONTROL...  prints CONTROL=TEXT for Label4, Label5, Label6,
//                                     Label8 and gamestart ("?" when unreadable; a
//                                     disabled gamestart as "Start/disabled")
//   kinopa-look field FILE            succeeds when the play field shows its own picture
//   kinopa-look same|identical FILE1 X1 Y1 FILE2 X2 Y2 W H [N]
//                                     succeeds when the W x H areas at X1,Y1 of one picture
//                                     and X2,Y2 of the other look the same (identical:
//                                     every pixel exactly equal); with N, the first area
//                                     is N times as wide and high, each pixel of the
//                                     second an N x N block of it
//   kinopa-look find FILE SPRITE      prints "left top right bottom" of the zarup or
//                                     the miss popup in the play field
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "qt/fonts.h"
#include "qt/qt_event_pump.h"

namespace {

using kinopa::DrawW;

constexpr int kFieldW = 399, kFieldH = 599;

int usage() {
  std::fputs(
      "usage: kinopa-look shot WINDOW FILE | read FILE CONTROL... | field FILE |\n"
      "                   same|identical FILE1 X1 Y1 FILE2 X2 Y2 W H [N] | find FILE zarup|miss\n",
      stderr);
  return 2;
}

QImage grab(const char* window) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const WId id = std::string(window) == "root" ? 0 : std::strtoul(window, nullptr, 0);
  return screen->grabWindow(id).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage load(const char* file) {
  QImage image(QString::fromLocal8Bit(file));
  if (image.isNull()) {
    std::fprintf(stderr, "kinopa-look: cannot read %s\n", file);
    std::exit(2);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ by more than `tolerance` in a colour channel; by
// default, clearly (more than a faint anti-aliasing step).
int mismatches(const QImage& a, const QImage& b, int tolerance = 40) {
  if (a.size() != b.size()) return a.width() * a.height() + 1;
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int d = std::max({std::abs(qRed(pa[x]) - qRed(pb[x])),
                              std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                              std::abs(qBlue(pa[x]) - qBlue(pb[x]))});
      if (d > tolerance) ++n;
    }
  }
  return n;
}

// Each pixel of `image` as an n x n block.
QImage blownUp(const QImage& image, int n) {
  QImage big(image.width() * n, image.height() * n, QImage::Format_RGB32);
  for (int y = 0; y < big.height(); ++y) {
    const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y / n));
    auto* to = reinterpret_cast<QRgb*>(big.scanLine(y));
    for (int x = 0; x < big.width(); ++x) to[x] = from[x / n];
  }
  return big;
}

// Reads one control of the main window from a picture of its client area.
class Reader {
 public:
  explicit Reader(const QImage& shot) : shot_(shot) {}

  std::string read(const std::string& name) {
    if (name == "gamestart") return readButton();
    QLabel* label = labelNamed(name);
    if (label == nullptr) return "?";
    return readNumber(label);
  }

 private:
  QLabel* labelNamed(const std::string& name) {
    for (const char* known : {"Label4", "Label5", "Label6", "Label8"})
      if (name == known) return control<QLabel>(window_, known);
    return nullptr;
  }

  int differenceAs(QWidget* control, const QString& text, const QRect& area) {
    if (auto* label = qobject_cast<QLabel*>(control))
      label->setText(text);
    else
      static_cast<QPushButton*>(control)->setText(text);
    return mismatches(window_.grab(area).toImage().convertToFormat(QImage::Format_RGB32),
                      shot_.copy(area));
  }

  // A label's number: each digit in turn is the one that makes the whole
  // label look most like the picture, for every length up to ten digits.
  std::string readNumber(QLabel* label) {
    const QRect area = label->geometry();
    QString best;
    int bestDiff = -1;
    for (int length = 1; length <= 10; ++length) {
      QString guess(length, QLatin1Char('0'));
      int diff = 0;
      for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < length; ++i) {
          int digitDiff = -1;
          QChar digit;
          for (char d = '0'; d <= '9'; ++d) {
            guess[i] = QLatin1Char(d);
            const int n = differenceAs(label, guess, area);
            if (digitDiff < 0 || n < digitDiff) digitDiff = n, digit = guess[i];
          }
          guess[i] = digit;
          diff = digitDiff;
        }
      }
      if (bestDiff < 0 || diff < bestDiff) bestDiff = diff, best = guess;
      if (bestDiff == 0) break;
    }
    return bestDiff <= kTolerance ? best.toStdString() : "?";
  }

  // The start button's caption, away from its edges, where focus and hover
  // change the look, and whether it is greyed out.
  std::string readButton() {
    const QRect area = control<QPushButton>(window_, "gamestart")->geometry().adjusted(4, 4, -4, -4);
    std::string best = "?";
    int bestDiff = kTolerance + 1;
    for (const bool enabled : {true, false}) {
      control<QPushButton>(window_, "gamestart")->setEnabled(enabled);
      for (const char* caption : {"Start", "Pause", "Restart"}) {
        const int n = differenceAs(control<QPushButton>(window_, "gamestart"), QString::fromLatin1(caption), area);
        if (n < bestDiff) bestDiff = n, best = std::string(caption) + (enabled ? "" : "/disabled");
      }
    }
    control<QPushButton>(window_, "gamestart")->setEnabled(true);
    return best;
  }

  static constexpr int kTolerance = 3;
  kinopa::SteadyTickCounter tick_;
  kinopa::ClockSeededRandom random_;
  kinopa::QtEventPump pump_;
  kinopa::ShownSession shown_{kinopa::Services{tick_, random_, pump_, kinopa::Mode::script}};
  DrawW& window_ = shown_.window;
  QImage shot_;
};

struct Box {
  int left, top, right, bottom;  // right and bottom inclusive
};

// A colour of the sprite's own, found nowhere in the background nor in the
// other sprites: the zarup's body, the letters of the first miss popup.
std::optional<QRgb> spriteColour(const std::string& name) {
  if (name == "zarup") return 0xffff98b4;
  if (name == "miss") return 0xffb08cff;
  return std::nullopt;
}

std::optional<Box> find(const QImage& shot, QRgb colour) {
  std::optional<Box> box;
  const int w = std::min(shot.width(), kFieldW), h = std::min(shot.height(), kFieldH);
  for (int y = 0; y < h; ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      if ((line[x] & 0xffffff) != (colour & 0xffffff)) continue;
      if (!box) box = Box{x, y, x, y};
      box->left = std::min(box->left, x);
      box->right = std::max(box->right, x);
      box->top = std::min(box->top, y);
      box->bottom = std::max(box->bottom, y);
    }
  }
  return box;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  QApplication app(argc, argv);
  kinopa::installFontSubstitutes();
  const std::string command = argv[1];

  if (command == "shot" && argc == 4) {
    const QImage shot = grab(argv[2]);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
      std::fprintf(stderr, "kinopa-look: cannot take a picture of %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  if (command == "read" && argc >= 4) {
    Reader reader(load(argv[2]));
    bool all = true;
    for (int i = 3; i < argc; ++i) {
      const std::string text = reader.read(argv[i]);
      all = all && text != "?";
      std::printf("%s=%s\n", argv[i], text.c_str());
    }
    return all ? 0 : 1;
  }
  if (command == "field" && argc == 3) {
    const QImage shot = load(argv[2]);
    const QImage picture(QStringLiteral(":/art/field.bmp"));
    const QRect area(0, 0, kFieldW, kFieldH);
    const int n = mismatches(shot.copy(area), picture.convertToFormat(QImage::Format_RGB32).copy(area));
    std::printf("%d pixels differ from the play field's picture\n", n);
    return n == 0 ? 0 : 1;
  }
  if ((command == "same" || command == "identical") && (argc == 10 || argc == 11)) {
    const QImage first = load(argv[2]), second = load(argv[5]);
    const int x1 = std::atoi(argv[3]), y1 = std::atoi(argv[4]);
    const int x2 = std::atoi(argv[6]), y2 = std::atoi(argv[7]);
    const int w = std::atoi(argv[8]), h = std::atoi(argv[9]);
    const int n = argc == 11 ? std::atoi(argv[10]) : 1;
    if (n < 1) return usage();
    const QRect a(x1, y1, w * n, h * n), b(x2, y2, w, h);
    if (!first.rect().contains(a) || !second.rect().contains(b)) return 1;
    const int tolerance = command == "identical" ? 0 : 40;
    return mismatches(first.copy(a), blownUp(second.copy(b), n), tolerance) == 0 ? 0 : 1;
  }
  if (command == "find" && argc == 4) {
    const std::optional<QRgb> colour = spriteColour(argv[3]);
    if (!colour) return usage();
    const std::optional<Box> box = find(load(argv[2]), *colour);
    if (!box) return 1;
    std::printf("%d %d %d %d\n", box->left, box->top, box->right, box->bottom);
    return 0;
  }
  return usage();
}
