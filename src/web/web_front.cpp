#include "web/web_front.h"

#include <emscripten/emscripten.h>

#include "core/surface.h"

EM_JS(void, hostShow, (), { window.kinopaHost.show(); });
EM_JS(void, hostCaption, (int control, const char* text), {
  window.kinopaHost.caption(control, UTF8ToString(text));
});
EM_JS(void, hostEnabled, (int control, int enabled), { window.kinopaHost.enabled(control, enabled !== 0); });
EM_JS(void, hostClosed, (), { window.kinopaHost.closed(); });
EM_JS(void, hostSettingsChanged, (), { window.kinopaHost.settingsChanged(); });

namespace kinopa {

WebFront::WebFront(std::string fieldPicture) : fieldPicture_(std::move(fieldPicture)) {}

void WebFront::show() {
  showFieldPicture();
  hostShow();
}

void WebFront::showFieldPicture() {
  // Its own picture at its natural size, cut off at the field's edges.
  DirectDraw7 dd;
  SurfaceDesc desc{DDSD_CAPS, 0, 0, DDSCAPS_OFFSCREENPLAIN};
  const auto picture = dd.CreateSurfaceFromFile(fieldPicture_, desc);
  std::vector<uint32_t> pixels(static_cast<std::size_t>(kFieldWidth) * kFieldHeight, 0xff000000u);
  for (int32_t y = 0; y < std::min(kFieldHeight, picture->height()); ++y)
    for (int32_t x = 0; x < std::min(kFieldWidth, picture->width()); ++x)
      pixels[static_cast<std::size_t>(y) * kFieldWidth + static_cast<std::size_t>(x)] = picture->pixel(x, y);
  field_.show(pixels);
}

void WebFront::captionChanged(Control control, const std::string& text) {
  hostCaption(static_cast<int>(control), text.c_str());
}

void WebFront::enabledChanged(Control control, bool enabled) {
  hostEnabled(static_cast<int>(control), enabled ? 1 : 0);
}

void WebFront::closeWindows() { hostClosed(); }

bool WebFront::Field::presentToScreen(const PixelView& image, const Rect& screenRect) {
  // Stretched to the field's own pixels, as a window at scale 1 shows it.
  shown.resize(static_cast<std::size_t>(screenRect.width()) * static_cast<std::size_t>(screenRect.height()));
  stretcher_.copy({image.pixels, image.stride}, image.width, image.height,
                  {shown.data(), screenRect.width()}, screenRect.width(), screenRect.height());
  show(shown);
  return true;
}

void WebFront::Field::show(const std::vector<uint32_t>& pixels) {
  rgba.resize(pixels.size() * 4);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t p = pixels[i];
    rgba[4 * i] = static_cast<uint8_t>(p >> 16);
    rgba[4 * i + 1] = static_cast<uint8_t>(p >> 8);
    rgba[4 * i + 2] = static_cast<uint8_t>(p);
    rgba[4 * i + 3] = 255;
  }
  ++serial;
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
