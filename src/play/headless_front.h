#pragma once
// A front end with no window system, for scripts and tests: the windows are
// rectangles of their own sizes, the play field keeps the last frame
// presented into it as the screen would show it, and the sound settings are
// a new sound settings dialog's.
#include <string>

#include "core/surface_copy.h"
#include "play/play_session.h"
#include "sound/settings_values.h"

namespace kinopa {

class HeadlessFront : public SessionFront {
 public:
  // `fieldPicture`: the play field's own picture file, which it shows until
  // the first frame ("": none).
  explicit HeadlessFront(std::string fieldPicture = {});

  void show() override {}
  WindowHandle& mainWindow() override { return main_; }
  WindowHandle& field() override { return field_; }
  SoundControls& soundControls() override { return settings_; }
  void captionChanged(Control, const std::string&) override {}
  void enabledChanged(Control, bool) override {}
  void closeWindows() override {}

  // The play field as last shown: the last frame, or before any its own
  // picture. Throws when there is neither.
  Picture fieldPicture() const;
  int presentCount() const { return field_.presents; }

 private:
  class Window : public WindowHandle {
   public:
    Window(int32_t width, int32_t height) : rect_{0, 0, width, height} {}
    Rect windowRect() const override { return rect_; }

   private:
    Rect rect_;
  };
  class Field : public Window {
   public:
    Field() : Window(kFieldWidth, kFieldHeight) {}
    bool presentToScreen(const PixelView& image, const Rect& screenRect) override;
    Picture shown;
    int presents = 0;

   private:
    pixelcopy::Stretcher stretcher_;
  };

  std::string fieldPicture_;
  Window main_{512, kFieldHeight};
  Field field_;
  SettingsValues settings_;
};

}  // namespace kinopa
