#include "play/play_session.h"

#include <cstdio>
#include <limits>

#include "core/errors.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/numeric.h"
#include "play/best_game.h"
#include "play/carried_state.h"
#include "play/recorder.h"
#include "play/script_player.h"
#include "play/ten_best.h"
#include "play/window_look.h"

namespace kinopa {
namespace {

constexpr std::size_t at(Control c) { return static_cast<std::size_t>(c); }

// A record game raises the record at every catch: after the first, saved at
// once, it is saved at most this often (in ms of the game's clock). What
// comes between is saved at the game's end, or by saveNow.
constexpr double kRecordSaveGapMs = 1000;

}  // namespace

PlaySession::SessionBoard::SessionBoard(SessionFront& front, Mode mode)
    : front_(front), mode_(mode) {
  // What the window shows before the rules write anything.
  for (const ControlLook& look : mainWindowLook().controls) {
    if (!look.ruled) continue;
    captions_.at(at(*look.ruled)) = look.caption;
    enabled_.at(at(*look.ruled)) = look.enabled;
  }
  // Watching: nothing to start; 終了 and the close box still end it.
  if (mode == Mode::watch) enabled_[at(Control::gamestart)] = false;
}

int PlaySession::SessionBoard::fieldWidth() { return front_.field().windowRect().width(); }
int PlaySession::SessionBoard::fieldHeight() { return front_.field().windowRect().height(); }

void PlaySession::SessionBoard::setCaption(Control control, const std::string& text) {
  captions_.at(at(control)) = text;
  if (shown_) front_.captionChanged(control, text);
}

void PlaySession::SessionBoard::setEnabled(Control control, bool enabled) {
  const bool button = control == Control::gamestart || control == Control::Command1;
  if (mode_ == Mode::watch && button && enabled) return;
  enabled_.at(at(control)) = enabled;
  if (shown_) front_.enabledChanged(control, enabled);
}

bool PlaySession::SessionBoard::isEnabled(Control control) { return enabled(control); }

const std::string& PlaySession::SessionBoard::caption(Control control) const {
  return captions_.at(at(control));
}

bool PlaySession::SessionBoard::enabled(Control control) const { return enabled_.at(at(control)); }

PlaySession::PlaySession(const Services& services, SessionFront& front)
    : services_(services),
      front_(front),
      framesHidden_(services.mode == Mode::watch),
      loading_(front.soundControls(), buffers_,
               [this](const std::string& path) { return createSoundBuffer(path); }),
      board_(front, services.mode),
      drawing_(surfaces_, g, framesHidden_),
      sound_(services.mode, front.soundControls(), buffers_, loading_, g, services.recorder,
             services.bestGame, framesHidden_),
      random_(services.random, services.recorder),
      g(board_, drawing_, sound_, services.tick, random_) {}

PlaySession::~PlaySession() = default;

const std::string& PlaySession::caption(Control control) const { return board_.caption(control); }

Phase PlaySession::phase() const {
  if (g.quitRequested != kClear) return Phase::ending;
  if (watching()) return watchEnded_ ? Phase::watched : Phase::watching;
  // Start-up's first game is prepared with `paused` set; until then no game
  // has run either.
  if (g.paused == kClear && notRunning_ != Phase::ready) return Phase::running;
  return notRunning_;
}
bool PlaySession::enabled(Control control) const { return board_.enabled(control); }

void PlaySession::run() {
  KINOPA_ROUTINE("draw_w.Form_Load");
  createSoundDevice();
  startUp();
  mainLoop();
  shutdown();
}

void PlaySession::createSoundDevice() {
  ds = ensureCreated(dx).DirectSoundCreate("");
  ds->SetCooperativeLevel(&front_.mainWindow(), DSSCL_PRIORITY);
  // Played on all the same, silently; said once.
  if (!ds->heard()) {
    MsgBox({QT_TRANSLATE_NOOP("kinopa",
                              "No sound device could be opened, so the game plays without sound.")},
           MB_EXCLAMATION_OK, "Kinopa");
  }
}

void PlaySession::startUp() {
  KINOPA_ROUTINE("draw_w.init");
  g.setFixedNumbers();
  surfaces_.spriteKey = ColorKey{kWhite, kWhite};

  surfaces_.createDevice();
  front_.show();
  surfaces_.setUp(&front_.mainWindow(), &front_.field());

  g.paused = kSet;
  g.gameinit();
}

bool PlaySession::loopStep() {
  KINOPA_ROUTINE("draw_w.init");
  releaseHeld();
  if (!framePending_) {
    if (g.quitRequested != kClear) return false;
    passes_.idle();
  }
  // Each frame's pass has the window system's turn after its frame.
  framePending_ = g.paused == kClear;
  if (framePending_) passes_.running();
  return true;
}

void PlaySession::mainLoop() {
  while (loopStep()) {
    if (framePending_) continue;
    // No game runs. Once a whole idle pass has put the window in order
    // (settings button enabled), sleep until the window system has something
    // for us, or the sound device wants its next care; never when the
    // program is ending.
    if (passes_.framesRanSinceIdle() || g.quitRequested != kClear) {
      services_.pump.yield(false);
    } else if (soundDue_) {
      services_.pump.yieldUntil(*soundDue_);
    } else {
      services_.pump.yield(true);
    }
  }
}

void PlaySession::tendSound(bool gameRuns) { soundDue_ = ds ? ds->tend(gameRuns) : std::nullopt; }

void PlaySession::PlayHooks::music(bool gameRuns) { s_.sound_.musicStep(gameRuns); }

void PlaySession::PlayHooks::idled() {
  if (Recorder* recorder = s_.services_.recorder) {
    recorder->makeRoom();
    recorder->idle();
  }
  s_.board_.setEnabled(Control::Command1, true);
  s_.tendSound(false);
}

void PlaySession::PlayHooks::framed() {
  // A drawn frame has seen the pointer where it is (a game that ended in it
  // judges no release).
  if (s_.g.paused != kClear || s_.g.frameElapsed <= kDropAfterMs) s_.moveUnseen_ = false;
  s_.tendSound(true);
  s_.keepRecord();
  Recorder* recorder = s_.services_.recorder;
  if (!recorder) return;
  recorder->frame();
  recorder->keepState(frameSnapshot(s_));
  // Moving the recording out of memory takes a little while: it comes out of
  // the wait for the next frame, not out of the frame's time.
  recorder->makeRoom();
}

void PlaySession::PlayHooks::yieldAfterFrame() {
  s_.services_.pump.yieldUntilNextFrame();
  // The settings button stays disabled while a game runs.
  if (s_.board_.isEnabled(Control::Command1)) s_.board_.setEnabled(Control::Command1, false);
}

// A record is saved when the game sets it, so that no kill, lost display or
// reloaded page later can take it.
void PlaySession::keepRecord() {
  if (!recordToBeat_ || g.highScore <= recordSaved_) return;
  if (recordSavedAt_ && g.frameTick - *recordSavedAt_ < kRecordSaveGapMs) return;
  // One that cannot be saved is said once, and tried again at the game's
  // end only.
  if (!sound_.keepHighScore()) {
    recordSavedAt_ = std::numeric_limits<double>::infinity();
    return;
  }
  recordSaved_ = g.highScore;
  recordSavedAt_ = g.frameTick;
}

// A game's frames are over: a new highest score is saved at once, a record
// game is kept, and so is a game among the ten best.
void PlaySession::PlayHooks::gameEnded() {
  if (s_.recordToBeat_ && s_.g.highScore > s_.recordSaved_) s_.sound_.keepHighScore();
  s_.recordToBeat_.reset();
  const Services& services = s_.services_;
  if (services.bestGame && services.recorder)
    services.bestGame->gameEnded(s_.g.score, *services.recorder);
  if (services.tenBest && services.recorder)
    services.tenBest->gameEnded(s_.g.score, *services.recorder);
}

double PlaySession::SessionRandom::Rnd() {
  if (!seeded_) return platform_.Rnd();
  const double v = seeded_->Rnd();
  if (recorder_) recorder_->random(v);
  return v;
}

void PlaySession::SessionRandom::use(std::optional<uint64_t> hallSeed) {
  seeded_.reset();
  if (hallSeed) seeded_.emplace(*hallSeed);
}

void PlaySession::startClicked() {
  if (!watching()) passes_.start();
}

void PlaySession::startHallGame(uint64_t seed) {
  if (watching()) return;
  // Taken by the Start sequence if the click begins a game; a click that
  // pauses leaves it unused.
  hallSeed_ = seed;
  passes_.start();
  hallSeed_.reset();
}

bool PlaySession::startBegins() const {
  const Phase p = phase();
  return p == Phase::ready || p == Phase::stopped || p == Phase::over;
}

std::optional<uint64_t> PlaySession::hallGameOver() const {
  if (phase() != Phase::over) return std::nullopt;
  return hallGame_;
}

// The game this click ended is done with: a new one begins.
void PlaySession::PlayHooks::gameBeginning() {
  // A sound device closed after a long rest opens now, not in a frame.
  if (s_.ds) s_.ds->wake();
  const std::optional<uint64_t> hallSeed = s_.hallSeed_;
  s_.random_.use(hallSeed);
  s_.hallGame_ = hallSeed;
  Game& g = s_.g;
  if (hallSeed) {
    // Nothing of the games before: as start-up leaves the state.
    Objects& o = g.objects;
    o.misclickCount = 0;
    o.popupAge = {};
    o.tovrinFrame = 0;
    o.tovrinPrevX = 0;
    o.melkitFrame = 0;
    g.melkitHover = kClear;
    g.zarupCaught = kClear;
    g.frameTick = 0;
  }
  if (Recorder* recorder = s_.services_.recorder) recorder->gameStarts(carriedFrom(g), hallSeed);
}

void PlaySession::PlayHooks::startTaken(bool began) {
  if (Recorder* recorder = s_.services_.recorder) recorder->start();
  // A game that stops without Pause has run out of time.
  s_.notRunning_ = began ? Phase::over : Phase::stopped;
  if (!began) return;
  s_.recordToBeat_ = s_.recordSaved_ = s_.g.highScore;
  s_.recordSavedAt_.reset();
  if (s_.services_.bestGame) s_.services_.bestGame->gameStarted(s_.g.highScore);
}

void PlaySession::endClicked() { g.gameend_Click(); }

void PlaySession::mouseMove(int button, int shift, float x, float y) {
  if (watching()) return;
  if (services_.recorder) services_.recorder->move(x, y);
  g.Picture1_MouseMove(button, shift, x, y);
  moveUnseen_ = true;
}

void PlaySession::mouseUp(int button, int shift, float x, float y) {
  if (watching()) return;
  if (services_.recorder) services_.recorder->up(x, y);
  g.Picture1_MouseUp(button, shift, x, y);
}

void PlaySession::touchUp(int button, int shift, float x, float y) {
  if (watching()) return;
  if (heldRelease_) {  // two taps within a frame: the first is judged now
    const Release first = *heldRelease_;
    heldRelease_.reset();
    mouseUp(first.button, first.shift, first.x, first.y);
  }
  heldRelease_ = Release{button, shift, x, y};
  releaseHeld();
}

void PlaySession::releaseHeld() {
  if (!heldRelease_ || (g.paused == kClear && moveUnseen_)) return;
  const Release release = *heldRelease_;
  heldRelease_.reset();
  mouseUp(release.button, release.shift, release.x, release.y);
}

void PlaySession::fieldPainted() { surfaces_.Picture1_Paint(); }

void PlaySession::soundSettingsOk() {
  sound_.loadwavex();
  sound_.waveiniwrite(false);
}

void PlaySession::soundSettingsCancel() { sound_.waveiniread(); }

void PlaySession::windowUnloaded() { g.quitRequested = kSet; }

std::shared_ptr<SoundBuffer> PlaySession::createSoundBuffer(const std::string& path) {
  if (!ds) throw PlatformError("DirectSound", "CreateSoundBufferFromFile", "no sound device");
  return ds->CreateSoundBufferFromFile(path);
}

void PlaySession::writeRecording() {
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

void PlaySession::saveNow() {
  writeRecording();
  sound_.waveiniwrite(true);
}

void PlaySession::endWithoutWindows() {
  KINOPA_ROUTINE("draw_w.init");
  board_.detach();
  endClicked();
  passes_.endTurn();
  saveNow();
}

void PlaySession::shutdown() {
  KINOPA_ROUTINE("draw_w.init");
  saveNow();
  front_.closeWindows();
}

}  // namespace kinopa
