#pragma once
// The page as a play session's front end: the play field is a canvas that
// takes what the field shows (see ShownField) as RGBA pixels; captions,
// enabled states and the sound settings reach the page's elements through
// page.js (kinopaHost).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/frame_changes.h"
#include "play/play_session.h"
#include "play/shown_field.h"
#include "play/window_look.h"
#include "sound/settings_values.h"

namespace kinopa {

class WebFront : public SessionFront {
 public:
  // `fieldPicture`: the play field's own picture, shown until a frame is.
  explicit WebFront(std::string fieldPicture) : field_(std::move(fieldPicture)) {}

  void show() override;
  WindowHandle& mainWindow() override { return main_; }
  WindowHandle& field() override { return field_; }
  SoundControls& soundControls() override { return settings_; }
  void captionChanged(Control control, const std::string& text) override;
  void enabledChanged(Control control, bool enabled) override;
  void closeWindows() override;

  // What the play field shows, RGBA, 399 x 599, and a number that changes
  // whenever it does.
  const uint8_t* fieldPixels();
  // The rectangles of fieldPixels() that its last call changed: a count, then
  // left, top, width and height of each. Only those need drawing again.
  const int32_t* fieldChanges() const { return changes_.data(); }
  int fieldSerial() const { return field_.serial(); }
  // Shows the play field's own picture again (a new session on the page).
  void showFieldPicture() { field_.showOwnPicture(); }
  // The sound settings as the page's dialog shows them.
  SettingsValues& settings() { return settings_; }

 private:
  // The dialog's values; every change the rules make is shown.
  class Settings : public SettingsValues {
   public:
    void setText(int index, const std::string& text) override;
    void setCheck(int index, int16_t value) override;
  };

  SizedWindow main_{mainWindowLook().width, mainWindowLook().height};
  ShownField field_;
  Settings settings_;
  // The captions the page was last told, by control: the rules write the
  // score, the rate and the time at every frame, the page hears of a change.
  std::array<std::optional<std::string>, 6> captions_;
  std::vector<uint8_t> rgba_;
  int rgbaSerial_ = -1;
  pixelcopy::Extent rgbaShown_;
  pixelcopy::FrameChanges seen_;
  std::vector<int32_t> changes_{0};
};

}  // namespace kinopa
