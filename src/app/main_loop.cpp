// Start-up, the main loop and shutdown.
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>

#include <cstdio>

#include "app/best_game.h"
#include "app/carried_state.h"
#include "app/draw_w.h"
#include "app/recorder.h"
#include "app/script_player.h"
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
  ds->SetCooperativeLevel(&handle_, DSSCL_PRIORITY);
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
  surfaces.setUp(&handle_, Picture1);

  di = ensureCreated(dx).DirectInputCreate();
  diMouse = di->CreateDevice("GUID_SysMouse");

  g.paused = kSet;
  g.gameinit();
}

void DrawW::mainLoop() {
  KINOPA_ROUTINE("draw_w.init");
  while (g.quitRequested == kClear) {
    passes_.idle();
    bool framesRan = false;
    while (g.paused == kClear) {
      passes_.running();
      framesRan = true;
    }
    // No game runs. Once a whole idle pass has put the window in order
    // (settings button enabled), sleep until the window system has something
    // for us, or the sound device wants its next care; never when the
    // program is ending.
    if (framesRan || g.quitRequested != kClear) {
      services_.pump.yield(false);
    } else if (soundDue_) {
      services_.pump.yieldUntil(*soundDue_);
    } else {
      services_.pump.yield(true);
    }
  }
}

void DrawW::tendSound(bool gameRuns) { soundDue_ = ds ? ds->tend(gameRuns) : std::nullopt; }

void DrawW::PlayHooks::music(bool gameRuns) { w_.sound_.musicStep(gameRuns); }

void DrawW::PlayHooks::idled() {
  if (w_.services_.recorder) {
    w_.services_.recorder->makeRoom();
    w_.services_.recorder->idle();
  }
  w_.Command1->setEnabled(true);
  w_.tendSound(false);
}

void DrawW::PlayHooks::framed() {
  w_.tendSound(true);
  if (!w_.services_.recorder) return;
  w_.services_.recorder->frame();
  w_.services_.recorder->keepState(frameSnapshot(w_));
  // Moving the recording out of memory takes a little while: it comes out of
  // the wait for the next frame, not out of the frame's time.
  w_.services_.recorder->makeRoom();
}

void DrawW::PlayHooks::yieldAfterFrame() {
  w_.services_.pump.yieldUntilNextFrame();
  // The settings button stays disabled while a game runs.
  if (w_.Command1->isEnabled()) w_.Command1->setEnabled(false);
}

// A game's frames are over: a new highest score is saved at once, so that
// no kill or lost display later can take it, and a record game is kept.
void DrawW::PlayHooks::gameEnded() {
  if (w_.recordToBeat_ && w_.g.highScore > *w_.recordToBeat_) w_.sound_.keepHighScore();
  w_.recordToBeat_.reset();
  const Services& s = w_.services_;
  if (s.bestGame && s.recorder) s.bestGame->gameEnded(w_.g.score, *s.recorder);
}

void DrawW::startClicked() {
  if (inputLocked()) return;
  const bool starting = g.paused == kSet;
  if (starting) {
    // The game this turn ended is done with first: its record is kept.
    // (The loop's own step after this turn would find the new game.)
    passes_.gameStarting();
    // A sound device closed after a long rest opens now, not in a frame.
    if (ds) ds->wake();
  }
  if (services_.recorder && starting) services_.recorder->gameStarts(carriedFrom(g));
  g.gamestart_Click();
  if (services_.recorder) services_.recorder->start();
  if (starting && g.paused == kClear) {
    recordToBeat_ = g.highScore;
    if (services_.bestGame) services_.bestGame->gameStarted(g.highScore);
  }
}

void DrawW::writeRecording() {
  const std::string& recordFile = services_.recordFile;
  Recorder* recorder = services_.recorder;
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
  sound_.waveiniwrite(true);
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

void DrawW::endRequested() {
  for (int i = 0; i < 8; ++i) {  // a box over the file chooser, say
    QWidget* waiting = QApplication::activeModalWidget();
    if (waiting == nullptr || !waiting->close()) break;
  }
  guarded([this] { g.gameend_Click(); });
}

void DrawW::Form_Unload() {
  g.quitRequested = kSet;
  closeSoundMenu();
}

}  // namespace kinopa
