// Start-up, the main loop and shutdown.
#include <QCloseEvent>
#include <QPushButton>

#include "app/draw_w.h"
#include "platform/errors.h"
#include "platform/numeric.h"

namespace kinopa {

void DrawW::Form_Load() {
  KINOPA_ROUTINE("draw_w.Form_Load");
  ds = ensureCreated(dx).DirectSoundCreate("");
  ds->SetCooperativeLevel(this, DSSCL_PRIORITY);
  init();
}

void DrawW::init() {
  KINOPA_ROUTINE("draw_w.init");
  startUp();
  mainLoop();
  shutdown();
}

void DrawW::startUp() {
  KINOPA_ROUTINE("draw_w.init");
  g.zarupW = 64;
  g.zarupH = 55;
  g.melkitW = 100;
  g.melkitH = 40;
  g.tovrinW = 84;
  surfaces.spriteKey = ColorKey{kWhite, kWhite};
  g.quitRequested = kClear;
  g.score = 0;
  g.highScore = 0;
  g.scoreRate = 1;
  g.gameLength = 30000;

  surfaces.createDevice();
  show();
  surfaces.setUp(this, Picture1);

  di = ensureCreated(dx).DirectInputCreate();
  diMouse = di->CreateDevice("GUID_SysMouse");

  g.paused = kSet;
  g.gameinit();
}

void DrawW::mainLoop() {
  KINOPA_ROUTINE("draw_w.init");
  EventPump& pump = services_.pump;
  while (g.quitRequested == kClear) {
    // Time spent without a game running is never charged: the first frame
    // of a game measures from here.
    g.prevTick = g.tick().GetTickCount();
    Command1->setEnabled(true);
    bool framesRan = false;
    while (g.paused == kClear) {
      musicStep();
      g.game();
      pump.yieldUntilNextFrame();
      g.raiseHighScore();
      if (Command1->isEnabled()) Command1->setEnabled(false);
      framesRan = true;
    }
    // No game runs. Once a whole idle pass has put the window in order
    // (settings button enabled), sleep until the window system has something
    // for us; never when the program is ending.
    pump.yield(!framesRan && g.quitRequested == kClear);
  }
}

void DrawW::shutdown() {
  KINOPA_ROUTINE("draw_w.init");
  waveiniwrite();
  closeSoundMenu();
  unloading_ = true;
  close();
}

void DrawW::closeEvent(QCloseEvent* event) {
  if (!unloading_) {
    // The close box asks the main loop to end; shutdown does the closing.
    g.quitRequested = kSet;
    g.paused = kSet;
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void DrawW::Form_Unload() {
  g.quitRequested = kSet;
  closeSoundMenu();
}

}  // namespace kinopa
