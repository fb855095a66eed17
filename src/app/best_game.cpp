#include "app/best_game.h"

#include <cstdio>
#include <exception>

#include "app/recorder.h"
#include "platform/errors.h"
#include "platform/text_file.h"

namespace kinopa {

bool BestGame::gameEnded(int32_t score, const Recorder& recorder) {
  if (!running_) return false;
  running_ = false;
  if (score <= record_) return false;
  if (recorder.full()) {
    std::fprintf(stderr, "kinopa: this record game could not be kept: the run was too long to record\n");
    return false;
  }
  try {
    replaceWholeFile(path_, recorder.text());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa: could not keep the best game: %s\n", errorReport(e).c_str());
    return false;
  }
  return true;
}

}  // namespace kinopa
