#pragma once
// The widgets of a window as its look says (play/window_look.h): the main
// window and the sound settings dialog are both made this way.
#include <QWidget>
#include <functional>
#include <string>

#include "core/errors.h"
#include "play/window_look.h"

namespace kinopa {

// Makes every control of `look` in `window`, in its tab order, each named
// after its control. `caption` gives the text a control shows first (by
// default its caption in the look).
void makeControls(QWidget& window, const WindowLook& look,
                  const std::function<std::string(const ControlLook&)>& caption = {});

// The widget `window` made for its control `name`.
template <class T>
T& controlWidget(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
  if (found == nullptr) throw PlatformError(name, "Controls", "no such control");
  return *found;
}

}  // namespace kinopa
