#include "game/game.h"

#include "core/errors.h"
#include "core/numeric.h"

namespace kinopa {

Game::Game(Board& board, FrameDrawing& frame, SoundCues& sounds, TickCounter& tick,
           RandomSource& random)
    : board_(board), frame_(frame), sounds_(sounds), tick_(tick), random_(random) {}

void Game::setFixedNumbers() {
  zarupW = 64;
  zarupH = 55;
  melkitW = 100;
  melkitH = 40;
  tovrinW = kTovrinWidth;
  quitRequested = kClear;
  score = 0;
  highScore = 0;
  scoreRate = 1;
  gameLength = 30000;
}

void Game::gameinit() {
  KINOPA_ROUTINE("draw_w.gameinit");
  zarup(kSet, 0.0);
  melkit(kSet, 0.0);
  remainingTime = gameLength;
  score = 0;
  scoreRate = 1;
  board_.setCaption(Control::Label6, numberText(remainingTime));
  board_.setCaption(Control::Label4, numberText(score));
  board_.setCaption(Control::Label5, numberText(scoreRate));
  for (int i = 0; i < kPopupSlots; ++i) {
    popupActive[i] = 0;
    popupX[i] = 0;
    popupY[i] = 0;
  }
  sounds_.waveiniread();
  sounds_.loadwavex();
  board_.setCaption(Control::Label8, numberText(highScore));
}

void Game::game() {
  KINOPA_ROUTINE("draw_w.game");
  const double now = tick_.GetTickCount();
  const double elapsed = now - prevTick;
  frameTick = now;
  prevTick = now;
  frameElapsed = elapsed;
  remainingTime -= elapsed;

  // A frame that came too late is dropped, but its time is charged.
  if (elapsed > kDropAfterMs) return;

  if (remainingTime > 0) {
    board_.setCaption(Control::Label6, numberText(remainingTime));
    board_.setCaption(Control::Label4, numberText(score));
    board_.setCaption(Control::Label5, numberText(scoreRate));
    frame_.surfinit();
    frame_.textdraw();  // popups lie beneath the objects
    zarup(kClear, frameElapsed);
    melkit(kClear, frameElapsed);
    Tovrin();
    frame_.surfflip();
  } else {
    paused = kSet;
    board_.setCaption(Control::Label6, "0");
    board_.setCaption(Control::gamestart, "Restart");
    sounds_.halt(Sound::music);
  }
}

void Game::gamestart_Click() {
  KINOPA_ROUTINE("draw_w.gamestart_Click");
  if (paused == kSet) {
    board_.setCaption(Control::gamestart, "Pause");
    paused = kClear;
    gameinit();
    board_.setEnabled(Control::Command1, false);
  } else if (paused == kClear) {
    board_.setCaption(Control::gamestart, "Start");
    sounds_.halt(Sound::music);
    paused = kSet;
  }
}

void Game::gameend_Click() {
  KINOPA_ROUTINE("draw_w.gameend_Click");
  paused = kSet;
  quitRequested = kSet;
}

void Game::startPopup(long k, double x, double y) {
  checkedAt(popupActive, k) = kSet;
  checkedAt(popupX, k) = toI16(x);
  checkedAt(popupY, k) = toI16(y);
}

bool Game::raisesHighScore(int32_t score, int32_t& highScore) {
  if (score <= highScore) return false;  // an equal score changes nothing
  highScore = score;
  return true;
}

void Game::raiseHighScore() {
  if (raisesHighScore(score, highScore)) board_.setCaption(Control::Label8, numberText(highScore));
}

}  // namespace kinopa
