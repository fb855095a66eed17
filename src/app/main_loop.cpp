// Start-up, the main loop and shutdown.
#include <QCloseEvent>
#include <QPushButton>

#include <cstdio>

#include "app/best_game.h"
#include "app/draw_w.h"
#include "app/recorder.h"
#include "platform/errors.h"
#include "platform/numeric.h"
#include "platform/text_file.h"

namespace kinopa {

void DrawW::Form_Load() {
  KINOPA_ROUTINE("draw_w.Form_Load");
  createSoundDevice();
  init();
}

void DrawW::createSoundDevice() {
  ds = ensureCreated(dx).DirectSoundCreate("");
  ds->SetCooperativeLevel(this, DSSCL_PRIORITY);
}

void DrawW::init() {
  KINOPA_ROUTINE("draw_w.init");
  startUp();
  mainLoop();
  shutdown();
}

void DrawW::startUp() {
  KINOPA_ROUTINE("draw_w.init");
  g.setFixedNumbers();
  surfaces.spriteKey = ColorKey{kWhite, kWhite};

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
    if (recorder) {
      recorder->makeRoom();
      recorder->idle();
    }
    Command1->setEnabled(true);
    musicStep(false);
    bool framesRan = false;
    while (g.paused == kClear) {
      musicStep(true);
      g.game();
      if (recorder) {
        recorder->frame();
        recorder->keepState(frameSnapshot(*this));
        // Moving the recording out of memory takes a little while: it comes
        // out of the wait for the next frame, not out of the frame's time.
        recorder->makeRoom();
      }
      pump.yieldUntilNextFrame();
      g.raiseHighScore();
      if (Command1->isEnabled()) Command1->setEnabled(false);
      framesRan = true;
    }
    if (framesRan) gameOver();
    // No game runs. Once a whole idle pass has put the window in order
    // (settings button enabled), sleep until the window system has something
    // for us; never when the program is ending.
    pump.yield(!framesRan && g.quitRequested == kClear);
  }
}

void DrawW::startClicked() {
  if (inputLocked) return;
  const bool starting = g.paused == kSet;
  g.gamestart_Click();
  if (recorder) recorder->start();
  if (bestGame && starting && g.paused == kClear) bestGame->gameStarted(g.highScore);
}

void DrawW::gameOver() {
  if (bestGame && recorder) bestGame->gameEnded(g.score, *recorder);
}

void DrawW::writeRecording() {
  if (recordFile.empty() || !recorder) return;
  if (recorder->full()) {
    std::fprintf(stderr, "kinopa: %s was not written: the run was too long to record\n",
                 recordFile.c_str());
    return;
  }
  try {
    replaceWholeFile(recordFile, recorder->text());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa: the recording was not written: %s\n", errorReport(e).c_str());
  }
}

void DrawW::shutdown() {
  KINOPA_ROUTINE("draw_w.init");
  writeRecording();
  waveiniwrite(true);
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
