#pragma once
// The sound settings without a window: the values a new sound settings
// dialog holds, kept in memory. A box refuses what a check box refuses.
#include <array>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "sound/sound_controls.h"

namespace kinopa {

class SettingsValues : public SoundControls {
 public:
  SettingsValues() = default;
  SettingsValues(std::array<std::string, 5> t, std::array<int16_t, 10> c)
      : texts(std::move(t)), checks(c) {}

  std::array<std::string, 5> texts{"", "zarupok.wav", "zarupfall.wav", "melkitok.wav",
                                   "melkitmiss.wav"};
  std::array<int16_t, 10> checks{0, 0, 0, 0, 0, 1, 0, 0, 0, 0};

  std::string Text(int i) override { return texts.at(i - 1); }
  void setText(int i, const std::string& t) override { texts.at(i - 1) = t; }
  int16_t Check(int i) override { return checks.at(i - 1); }
  void setCheck(int i, int16_t v) override {
    if (!isCheckValue(v)) throw Error("Invalid property value");
    checks.at(i - 1) = v;
  }
  bool operator==(const SettingsValues& o) const {
    return texts == o.texts && checks == o.checks;
  }
};

}  // namespace kinopa
