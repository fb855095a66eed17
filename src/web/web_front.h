#pragma once
// The page as a play session's front end: the play field is a canvas whose
// pixels are kept here (RGBA, as the canvas takes them) from each frame
// presented; captions, enabled states and the sound settings reach the
// page's elements through page.js (kinopaHost).
#include <cstdint>
#include <string>
#include <vector>

#include "core/surface_copy.h"
#include "play/play_session.h"
#include "sound/settings_values.h"

namespace kinopa {

class WebFront : public SessionFront {
 public:
  // `fieldPicture`: the play field's own picture, shown until a frame is.
  explicit WebFront(std::string fieldPicture);

  void show() override;
  WindowHandle& mainWindow() override { return main_; }
  WindowHandle& field() override { return field_; }
  SoundControls& soundControls() override { return settings_; }
  void captionChanged(Control control, const std::string& text) override;
  void enabledChanged(Control control, bool enabled) override;
  void closeWindows() override;

  // The play field's pixels, RGBA, 399 x 599, and a number that changes
  // whenever they do.
  const uint8_t* fieldPixels() const { return field_.rgba.data(); }
  int fieldSerial() const { return field_.serial; }
  // Shows the play field's own picture again (a new session on the page).
  void showFieldPicture();
  // The sound settings as the page's dialog shows them.
  SettingsValues& settings() { return settings_; }

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
    void show(const std::vector<uint32_t>& pixels);
    std::vector<uint32_t> shown;
    std::vector<uint8_t> rgba;
    int serial = 0;

   private:
    pixelcopy::Stretcher stretcher_;
  };
  // The dialog's values; every change the rules make is shown.
  class Settings : public SettingsValues {
   public:
    void setText(int index, const std::string& text) override;
    void setCheck(int index, int16_t value) override;
  };

  std::string fieldPicture_;
  Window main_{512, kFieldHeight};
  Field field_;
  Settings settings_;
};

}  // namespace kinopa
