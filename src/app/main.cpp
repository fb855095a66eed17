// Kinopa: catch the bouncing zarup, click the drifting melkit.
#include <QApplication>

#include "app/draw_w.h"
#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "platform/tick.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kinopa"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kinopa"));
  kinopa::installFontSubstitutes();

  kinopa::SteadyTickCounter tick;
  kinopa::ClockSeededRandom random;
  kinopa::QtEventPump pump;
  try {
    kinopa::DrawW window({tick, random, pump});
    try {
      window.Form_Load();
    } catch (const std::exception& e) {
      kinopa::showErrorBox(e);  // shown while the window is still there
      return 1;
    }
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
    return 1;
  }
  return 0;
}
