#include "web/web_front.h"

#include <emscripten/emscripten.h>

EM_JS(void, hostShow, (), { window.kinopaHost.show(); });
EM_JS(void, hostCaption, (int control, const char* text), {
  window.kinopaHost.caption(control, UTF8ToString(text));
});
EM_JS(void, hostEnabled, (int control, int enabled), { window.kinopaHost.enabled(control, enabled !== 0); });
EM_JS(void, hostClosed, (), { window.kinopaHost.closed(); });
EM_JS(void, hostSettingsChanged, (), { window.kinopaHost.settingsChanged(); });

namespace kinopa {

void WebFront::show() {
  field_.showOwnPicture();
  hostShow();
}

void WebFront::captionChanged(Control control, const std::string& text) {
  hostCaption(static_cast<int>(control), text.c_str());
}

void WebFront::enabledChanged(Control control, bool enabled) {
  hostEnabled(static_cast<int>(control), enabled ? 1 : 0);
}

void WebFront::closeWindows() { hostClosed(); }

const uint8_t* WebFront::fieldPixels() {
  const Picture& shown = field_.shown();
  if (rgbaSerial_ != field_.serial()) {
    rgbaSerial_ = field_.serial();
    rgba_.assign(static_cast<std::size_t>(kFieldWidth) * kFieldHeight * 4, 0);
    for (int32_t y = 0; y < shown.height; ++y) {
      for (int32_t x = 0; x < shown.width; ++x) {
        const uint32_t p = shown.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(shown.width) +
                                        static_cast<std::size_t>(x)];
        uint8_t* out = &rgba_[(static_cast<std::size_t>(y) * kFieldWidth + static_cast<std::size_t>(x)) * 4];
        out[0] = static_cast<uint8_t>(p >> 16);
        out[1] = static_cast<uint8_t>(p >> 8);
        out[2] = static_cast<uint8_t>(p);
        out[3] = 255;
      }
    }
  }
  return rgba_.data();
}

void WebFront::Settings::setText(int index, const std::string& text) {
  SettingsValues::setText(index, text);
  hostSettingsChanged();
}

void WebFront::Settings::setCheck(int index, int16_t value) {
  SettingsValues::setCheck(index, value);
  hostSettingsChanged();
}

}  // namespace kinopa
