#include "play/best_game.h"

#include <cstdio>
#include <exception>

#include "play/recorder.h"
#include "play/recording_file.h"
#include "core/errors.h"
#include "core/messages.h"
#include "core/files.h"

namespace kinopa {

bool BestGame::gameEnded(int32_t score, const Recorder& recorder) {
  if (!running_) return false;
  running_ = false;
  if (score <= record_) return false;
  // A record read from a damaged wave.ini may be too low: the file kept
  // knows its own game's score.
  if (const std::optional<int32_t> kept = lastScoreIn(path_); kept && score <= *kept) return false;
  try {
    if (recorder.full()) {
      throw Error("the run was too long to record",
                  {QT_TRANSLATE_NOOP("kinopa", "This run was too long to record.")});
    }
    replaceWholeFile(path_, recorder.gameText());
  } catch (const Error& e) {
    std::fprintf(stderr, "kinopa: could not keep the best game: %s\n", e.description().c_str());
    if (!failureShown_) {
      failureShown_ = true;
      MsgBox(e, MB_EXCLAMATION_OK, kBestGameTitle,
             {QT_TRANSLATE_NOOP("kinopa", "Your record game was not kept.")});
    }
    return false;
  }
  return true;
}

}  // namespace kinopa
