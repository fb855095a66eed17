#pragma once
// A front end with no window system, for scripts and tests: the windows are
// rectangles of their own sizes, the play field keeps what it shows (see
// ShownField), and the sound settings are a new sound settings dialog's.
#include <string>

#include "play/play_session.h"
#include "play/shown_field.h"
#include "play/window_look.h"
#include "sound/settings_values.h"

namespace kinopa {

class HeadlessFront : public SessionFront {
 public:
  // `fieldPicture`: the play field's own picture file, which it shows until
  // the first frame ("": none).
  explicit HeadlessFront(std::string fieldPicture = {}) : field_(std::move(fieldPicture)) {}

  void show() override {}
  WindowHandle& mainWindow() override { return main_; }
  WindowHandle& field() override { return field_; }
  SoundControls& soundControls() override { return settings_; }
  void captionChanged(Control, const std::string&) override {}
  void enabledChanged(Control, bool) override {}
  void closeWindows() override {}

  // The play field as last shown: the last frame, or before any its own
  // picture. Throws when there is neither.
  const Picture& fieldPicture() { return field_.shown(); }
  // A number that changes whenever what the play field shows does.
  int fieldSerial() const { return field_.serial(); }

 private:
  SizedWindow main_{mainWindowLook().width, mainWindowLook().height};
  ShownField field_;
  SettingsValues settings_;
};

}  // namespace kinopa
