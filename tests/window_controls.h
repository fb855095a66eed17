#pragma once
// A window's control by its name ("gamestart", "Label8", "Picture1"), as the
// tests, benchmarks and kinopa-look reach the main window's controls.
#include <QWidget>
#include <stdexcept>
#include <string>

namespace kinopa {

template <class T = QWidget>
T* control(QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) throw std::logic_error(std::string("the window has no control ") + name);
  return found;
}

}  // namespace kinopa
