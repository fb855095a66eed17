// The calls page.js makes into the game. Each catches what the rules throw:
// as on the desktop, an error nobody handled shows the error box and ends
// the program (every later call then does nothing and returns 0).
#include <emscripten/emscripten.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/files.h"
#include "core/frame_pacer.h"
#include "core/folders.h"
#include "core/messages.h"
#include "play/script_player.h"
#include "play/watch.h"
#include "play/state_line.h"
#include "sound/settings_values.h"
#include "sound/sound_controls.h"
#include "sound/sound_loading.h"
#include "sound/wave_ini.h"
#include "browser/web_face.h"
#include "page/web_program.h"

namespace {

using kinopa::WebProgram;

std::unique_ptr<WebProgram> program;
kinopa::FramePacer pacer;  // the running game's frames
std::string reply;  // the text the latest call returned, alive until the next

// Runs `call` on the program; false when there is none or it failed.
template <class F>
bool onProgram(F&& call) {
  if (!program) return false;
  try {
    call(*program);
    return true;
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
  }
  program.reset();
  return false;
}

const char* text(std::string s) {
  reply = std::move(s);
  return reply.c_str();
}

// The page's own sentences, by the names page.js knows them by.
struct PageSentence {
  const char* name;
  const char* sentence;
};
constexpr PageSentence kPageSentences[] = {
    {"refused", QT_TRANSLATE_NOOP("kinopa", "Kinopa is open in another tab. Play there, or play "
                                            "here instead: the other tab then stops, everything "
                                            "saved.")},
    {"playHere", QT_TRANSLATE_NOOP("kinopa", "Play here")},
    {"stolen", QT_TRANSLATE_NOOP("kinopa", "Kinopa is played in another tab now. This tab has "
                                           "stopped, everything saved.")},
    {"ended", QT_TRANSLATE_NOOP("kinopa", "Kinopa has ended.")},
    {"again", QT_TRANSLATE_NOOP("kinopa", "Play again")},
    {"noBest", QT_TRANSLATE_NOOP("kinopa", "There is no best game yet. It is kept when a game "
                                           "beats your highest score.")},
    {"forwarding", QT_TRANSLATE_NOOP("kinopa", "Going through the run before its last game…")},
    {"cancel", QT_TRANSLATE_NOOP("kinopa", "Cancel")},
    {"recording", QT_TRANSLATE_NOOP("kinopa", "Kinopa — recording")},
    {"recordingEnded", QT_TRANSLATE_NOOP("kinopa", "Kinopa — recording, ended")},
    {"back", QT_TRANSLATE_NOOP("kinopa", "Back to the game")},
    {"watchAsk", QT_TRANSLATE_NOOP("kinopa", "Watching a recording ends the game you are "
                                             "playing. Watch it?")},
    {"watch", QT_TRANSLATE_NOOP("kinopa", "Watch")},
    {"save", QT_TRANSLATE_NOOP("kinopa", "Save %1")},
    {"fullScreen", QT_TRANSLATE_NOOP("kinopa", "Full screen")},
    {"leaveFullScreen", QT_TRANSLATE_NOOP("kinopa", "Leave full screen")},
    {"hall", QT_TRANSLATE_NOOP("kinopa", "Kinopa hall of fame")},
    {"hallName", QT_TRANSLATE_NOOP("kinopa", "Your name for the hall of fame…")},
    {"hallNameAsk", QT_TRANSLATE_NOOP("kinopa", "Games started here are played for the hall of "
                                                "fame. Your name there:")},
    {"hallSend", QT_TRANSLATE_NOOP("kinopa", "Send to the hall of fame")},
    {"hallSending", QT_TRANSLATE_NOOP("kinopa", "Sending to the hall of fame…")},
    {"hallEntered", QT_TRANSLATE_NOOP("kinopa", "In the hall of fame: rank %1 with %2 points.")},
    {"hallUnreachable", QT_TRANSLATE_NOOP("kinopa", "The hall of fame cannot be reached just now.")},
    {"hallNoSeed", QT_TRANSLATE_NOOP("kinopa", "This game is not played for the hall of fame: %1")},
    {"tenBest", QT_TRANSLATE_NOOP("kinopa", "Your ten best games")},
    {"noTenBest", QT_TRANSLATE_NOOP("kinopa", "No game is kept yet. Each game that scores more "
                                              "than 0 is kept here while it is among your ten "
                                              "best.")},
    {"rank", QT_TRANSLATE_NOOP("kinopa", "Rank")},
    {"score", QT_TRANSLATE_NOOP("kinopa", "Score")},
    {"played", QT_TRANSLATE_NOOP("kinopa", "Played")},
    {"watchElsewhere", QT_TRANSLATE_NOOP("kinopa", "The recording %1 is not on this site: the "
                                                   "page watches recordings from its own site "
                                                   "only.")},
    {"watchUnfetched", QT_TRANSLATE_NOOP("kinopa", "The recording %1 could not be fetched (%2).")},
};

}  // namespace

extern "C" {

// The page's sentences in the player's language from now on: Japanese when
// `japanese`, the browser's language.
EMSCRIPTEN_KEEPALIVE void kinopa_use_japanese(int japanese) { kinopa::useJapanese(japanese != 0); }
// One of the page's own sentences by its name (see kPageSentences), in the
// player's language; "" for a name it does not know.
EMSCRIPTEN_KEEPALIVE const char* kinopa_page_sentence(const char* name) {
  for (const PageSentence& s : kPageSentences)
    if (std::string_view(name) == s.name) return text(kinopa::translated(s.sentence));
  return "";
}

// The player's run begins: start-up done, no game running. `japanese`: the
// browser's language is Japanese.
EMSCRIPTEN_KEEPALIVE int kinopa_begin(int japanese) {
  kinopa::useJapanese(japanese != 0);
  try {
    program = std::make_unique<WebProgram>();
    program->play();
    return 1;
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
  }
  program.reset();
  return 0;
}

// The main loop's next step, then when the one after is due: in ms from
// now; -1 not before the player's next event; -2 never, the program has
// ended. While a game runs, its frames keep the pacer's rate; while none
// runs, the sound device says when it wants its care.
EMSCRIPTEN_KEEPALIVE double kinopa_step() {
  using Clock = std::chrono::steady_clock;
  const auto ms = [](Clock::duration d) {
    return std::max(0.0, std::chrono::duration<double, std::milli>(d).count());
  };
  double due = -2;
  const bool alive = onProgram([&](WebProgram& p) {
    kinopa::PlaySession& s = p.session();
    const bool framing = s.framePending();
    const Clock::time_point began = Clock::now();
    if (!s.loopStep()) {
      s.shutdown();
      return;
    }
    const Clock::time_point ended = Clock::now();
    if (s.framePending()) {
      due = ms(pacer.frameRan(began, ended) - ended);
      return;
    }
    pacer.stop();
    // A game just ended: the idle pass that puts the window in order (the
    // settings button, the sound device's rest) comes next, at once.
    const auto sound = s.soundDue();
    due = framing ? 0 : sound ? ms(*sound - ended) : -1;
  });
  if (alive && due == -2) program.reset();
  return due;
}

// Whether a game's frames are running (the page draws the field at each
// display refresh meanwhile).
EMSCRIPTEN_KEEPALIVE int kinopa_frame_pending() {
  return program && program->session().framePending() ? 1 : 0;
}

// The display refreshes now: 1 when the pending frame is best taken now, a
// little early, as it would come late once the page is drawn.
EMSCRIPTEN_KEEPALIVE int kinopa_display_refresh() {
  return program && program->session().framePending() &&
                 pacer.takeEarly(std::chrono::steady_clock::now())
             ? 1
             : 0;
}

EMSCRIPTEN_KEEPALIVE int kinopa_start_click() {
  return onProgram([](WebProgram& p) { p.session().startClicked(); });
}
EMSCRIPTEN_KEEPALIVE int kinopa_end_click() {
  return onProgram([](WebProgram& p) { p.session().endClicked(); });
}
EMSCRIPTEN_KEEPALIVE int kinopa_pointer_move(int buttons, float x, float y) {
  return onProgram([&](WebProgram& p) { p.session().mouseMove(buttons, 0, x, y); });
}
EMSCRIPTEN_KEEPALIVE int kinopa_pointer_up(int button, float x, float y) {
  return onProgram([&](WebProgram& p) { p.session().mouseUp(button, 0, x, y); });
}
// A finger's or a pen's release: judged once a drawn frame has seen where it
// pressed (PlaySession::touchUp).
EMSCRIPTEN_KEEPALIVE int kinopa_touch_up(int button, float x, float y) {
  return onProgram([&](WebProgram& p) { p.session().touchUp(button, 0, x, y); });
}

// The sound settings dialog: its values, the player's changes, OK, Cancel,
// and a file chosen with a row's browse button.
EMSCRIPTEN_KEEPALIVE const char* kinopa_settings_text(int index) {
  if (!program) return "";
  return text(program->front().settings().Text(index));
}
EMSCRIPTEN_KEEPALIVE int kinopa_settings_check(int index) {
  return program ? program->front().settings().Check(index) : 0;
}
// A name typed into a row's box: 0 when it was refused (said in a box), and
// the box is to show the row's name again.
EMSCRIPTEN_KEEPALIVE int kinopa_set_settings_text(int index, const char* value) {
  bool taken = false;
  onProgram([&](WebProgram& p) {
    taken = kinopa::chooseSoundFile(p.front().settings(), index, value, kinopa::NameGiven::typed);
  });
  return taken ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int kinopa_set_settings_check(int index, int value) {
  return onProgram([&](WebProgram& p) {
    p.front().settings().SettingsValues::setCheck(index, static_cast<int16_t>(value));
  });
}
EMSCRIPTEN_KEEPALIVE int kinopa_settings_ok() {
  return onProgram([](WebProgram& p) { p.session().soundSettingsOk(); });
}
EMSCRIPTEN_KEEPALIVE int kinopa_settings_cancel() {
  return onProgram([](WebProgram& p) { p.session().soundSettingsCancel(); });
}
// 1 when the row took the file, 0 when it was refused (said in a box).
EMSCRIPTEN_KEEPALIVE int kinopa_choose_sound_file(int row, const char* path) {
  bool taken = false;
  onProgram([&](WebProgram& p) { taken = kinopa::chooseSoundFile(p.front().settings(), row, path); });
  return taken ? 1 : 0;
}

// What the window shows: a control's caption and state, the play field's
// pixels (RGBA) and the number that changes with them.
EMSCRIPTEN_KEEPALIVE const char* kinopa_caption(int control) {
  if (!program) return "";
  return text(program->session().caption(static_cast<kinopa::Control>(control)));
}
EMSCRIPTEN_KEEPALIVE int kinopa_enabled(int control) {
  return program && program->session().enabled(static_cast<kinopa::Control>(control)) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const uint8_t* kinopa_field_pixels() {
  const uint8_t* pixels = nullptr;
  onProgram([&](WebProgram& p) { pixels = p.front().fieldPixels(); });
  return pixels;
}
EMSCRIPTEN_KEEPALIVE const int32_t* kinopa_field_changes() {
  static const int32_t none[1] = {0};
  return program ? program->front().fieldChanges() : none;
}
EMSCRIPTEN_KEEPALIVE int kinopa_field_serial() { return program ? program->front().fieldSerial() : -1; }
// Where the run stands: the kinopa::Phase's name ("" with no program).
EMSCRIPTEN_KEEPALIVE const char* kinopa_phase() {
  return program ? kinopa::phaseName(program->session().phase()) : "";
}

// The game's state as a replay's state line shows it (numbered 0).
EMSCRIPTEN_KEEPALIVE const char* kinopa_state_line() {
  if (!program) return "";
  return text(kinopa::stateLine(kinopa::takeSnapshot(program->session()), 0));
}
// The whole run's recording so far, and the best game's file.
EMSCRIPTEN_KEEPALIVE const char* kinopa_run_recording() {
  return text(program ? program->runRecording() : std::string());
}
EMSCRIPTEN_KEEPALIVE const char* kinopa_best_game_path() {
  return text(program ? program->bestGamePath() : std::string());
}

// The hall of fame: whether a click on Start now would begin a game; a
// Start from the hall's seed (decimal text) and the generator it names, 1
// when the game began; the seed of the hall game whose time has just run
// out ("" for none) and that game's recording.
EMSCRIPTEN_KEEPALIVE int kinopa_start_begins() {
  return program && program->session().startBegins() ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int kinopa_hall_start(const char* seed, const char* generator) {
  bool began = false;
  onProgram([&](WebProgram& p) { began = p.hallStart(seed, generator); });
  return began ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char* kinopa_hall_game_over() {
  return text(program ? program->hallGameOver() : std::string());
}
EMSCRIPTEN_KEEPALIVE const char* kinopa_game_recording() {
  return text(program ? program->gameRecording() : std::string());
}
// The player's ten best games, best first (WebProgram::tenBest); one that
// cannot be read is said in a box, and the list is empty.
EMSCRIPTEN_KEEPALIVE const char* kinopa_ten_best() {
  std::string lines;
  onProgram([&](WebProgram& p) {
    try {
      lines = p.tenBest();
    } catch (const kinopa::Error& e) {
      kinopa::MsgBox(e, kinopa::MB_EXCLAMATION_OK, "Kinopa",
                     {QT_TRANSLATE_NOOP("kinopa", "Your ten best games cannot be read.")});
    }
  });
  return text(lines);
}

// The game's own sound files that the sound settings (the saved ones, or the
// dialog's) load and the page has not fetched yet, one path a line: the page
// fetches them only when they are wanted, the music once it is switched on.
// A file the site does not have stays missing, and loading it says so.
EMSCRIPTEN_KEEPALIVE const char* kinopa_sound_files_wanted(int fromDialog) {
  kinopa::SettingsValues saved;
  kinopa::SoundControls* settings = &saved;
  std::string wanted;
  try {
    if (fromDialog != 0) {
      if (!program) return "";
      settings = &program->front().settings();
    } else {
      // Start-up's loading goes by what the reading takes: the first
      // settings on a first start, and for the sounds a damaged file lost.
      std::string bytes;
      try {
        bytes = kinopa::readWholeFile(kinopa::waveIniPath());
      } catch (const kinopa::Error&) {
      }
      saved = kinopa::readWaveIni(kinopa::utf8Text(bytes), "").settings;
    }
    const std::string folder = kinopa::soundFolder();
    for (int row = 1; row <= kinopa::kSoundRows; ++row) {
      if (settings->Check(kinopa::offBoxOf(row)) != 0) continue;
      const auto path = kinopa::soundFilePath(*settings, row);
      // A file of the sound folder itself, not one below or beside it.
      if (!path || !path->starts_with(folder)) continue;
      const std::string name = path->substr(folder.size());
      if (name.empty() || name.find_first_of("/\\") != std::string::npos) continue;
      std::error_code error;
      if (std::filesystem::exists(*path, error)) continue;
      wanted += *path + "\n";
    }
  } catch (const std::exception&) {
    return "";  // nothing the page can fetch: loading says what is missing
  }
  return text(wanted);
}

// Watching the recording at `path`, which the player knows as `name`: 1
// watching; 0 refused (said in a box; the player's game goes on as it was);
// 2 it would end the game the player is playing: the player is asked first
// (kinopa_watch_answer).
EMSCRIPTEN_KEEPALIVE int kinopa_watch(const char* path, const char* name) {
  using Opened = WebProgram::Opened;
  Opened opened = Opened::refused;
  onProgram([&](WebProgram& p) { opened = p.watch(path, name); });
  return opened == Opened::watching ? 1 : opened == Opened::asking ? 2 : 0;
}
// The player's answer to the watch that asks: 1 watching now.
EMSCRIPTEN_KEEPALIVE int kinopa_watch_answer(int yes) {
  bool watching = false;
  onProgram([&](WebProgram& p) { watching = p.watchAnswered(yes != 0); });
  return watching ? 1 : 0;
}
// The run before the last game, for a slice of time: the share done (1: the
// last game is reached), -1 after an error.
EMSCRIPTEN_KEEPALIVE double kinopa_watch_forward() {
  double share = -1;
  onProgram([&](WebProgram& p) { share = p.watchForward(); });
  return share;
}
// After how long going through a recording shows its progress, in ms.
EMSCRIPTEN_KEEPALIVE double kinopa_watch_progress_after() {
  return static_cast<double>(kinopa::Watch::kProgressAfter.count());
}
// The last game's commands due now: in ms, when the next is; -1 at the end
// (or after an error).
EMSCRIPTEN_KEEPALIVE double kinopa_watch_play() {
  double due = -1;
  onProgram([&](WebProgram& p) {
    const auto next = p.watchPlay();
    due = next ? *next : -1;
  });
  return due;
}
EMSCRIPTEN_KEEPALIVE int kinopa_end_watching() {
  return onProgram([](WebProgram& p) { p.endWatching(); });
}

// The page cannot run the game (its tab hidden, a modal dialog open): the
// clock of the game shown, the player's or a watch's, stands while `held`,
// and the game goes on from the same frame after.
EMSCRIPTEN_KEEPALIVE int kinopa_hold_clock(int held) {
  if (!held) pacer.stop();  // the frames start afresh
  return onProgram([&](WebProgram& p) { p.holdClock(held != 0); });
}
// What 終了 saves, saved now: the page goes out of sight, or away.
EMSCRIPTEN_KEEPALIVE int kinopa_save_now() {
  return onProgram([](WebProgram& p) { p.saveNow(); });
}

}  // extern "C"
