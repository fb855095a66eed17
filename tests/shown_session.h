#pragma once
// A play session shown in the main window, made as the program makes them
// (the session on the window's front, then the window), for the tests, the
// benchmarks and kinopa-look.
#include "play/play_session.h"
#include "window/draw_w.h"

namespace kinopa {

struct ShownSession {
  explicit ShownSession(const Services& services) : session(services, front), window(session, front) {}

  DrawW::Front front;
  PlaySession session;
  DrawW window;
};

}  // namespace kinopa
