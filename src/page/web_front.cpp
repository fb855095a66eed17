#include "page/web_front.h"

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
  std::optional<std::string>& told = captions_.at(static_cast<std::size_t>(control));
  if (told == text) return;
  told = text;
  hostCaption(static_cast<int>(control), text.c_str());
}

void WebFront::enabledChanged(Control control, bool enabled) {
  hostEnabled(static_cast<int>(control), enabled ? 1 : 0);
}

void WebFront::closeWindows() { hostClosed(); }

const uint8_t* WebFront::fieldPixels() {
  const Picture& shown = field_.shown();
  if (rgbaSerial_ == field_.serial()) return rgba_.data();
  rgbaSerial_ = field_.serial();
  changes_.assign(1, 0);
  const auto change = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
    changes_.insert(changes_.end(), {left, top, right - left, bottom - top});
    ++changes_[0];
  };
  // A picture of another size leaves nothing of the one before it.
  const bool resized = rgba_.empty() || rgbaShown_.width != shown.width || rgbaShown_.height != shown.height;
  if (resized) {
    rgba_.assign(static_cast<std::size_t>(kFieldWidth) * kFieldHeight * 4, 0);
    rgbaShown_ = {shown.width, shown.height};
    seen_.forget();
    change(0, 0, kFieldWidth, kFieldHeight);
  }
  // Only the pixels that changed since the last call are converted.
  for (const auto& band : seen_.update({shown.pixels.data(), shown.width}, rgbaShown_)) {
    for (int32_t y = band.top; y < band.bottom; ++y) {
      const uint32_t* in = &shown.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(shown.width)];
      uint8_t* out = &rgba_[static_cast<std::size_t>(y) * kFieldWidth * 4];
      for (int32_t x = band.left; x < band.right; ++x) {
        const uint32_t p = in[x];
        out[x * 4] = static_cast<uint8_t>(p >> 16);
        out[x * 4 + 1] = static_cast<uint8_t>(p >> 8);
        out[x * 4 + 2] = static_cast<uint8_t>(p);
        out[x * 4 + 3] = 255;
      }
    }
    if (!resized) change(band.left, band.top, band.right, band.bottom);
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
