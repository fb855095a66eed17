// The module the page loads: the rules of WebSession behind plain C calls.
// Each call catches what the rules throw; the session then stops, the error
// is kept for the page to show (kinopa_error), and every later call fails
// (returns 0) as the window's error box ends the game on the desktop.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "platform/errors.h"
#include "web/web_session.h"

namespace {

using kinopa::web::SpriteDraw;
using kinopa::web::WebSession;

std::unique_ptr<WebSession> session;
std::string failure;
std::string reply;  // the text the latest call returned, alive until the next

// Runs `call` on the session; false when there is none or it failed.
template <class F>
bool onSession(const char* name, F&& call) {
  if (!failure.empty()) return false;
  if (!session) {
    failure = std::string(name) + ": kinopa_start_up was not called";
    std::fprintf(stderr, "%s\n", failure.c_str());
    return false;
  }
  try {
    call(*session);
    return true;
  } catch (const std::exception& e) {
    failure = std::string(name) + ": " + kinopa::errorReport(e);
  } catch (...) {
    failure = std::string(name) + ": an unknown error";
  }
  std::fprintf(stderr, "%s\n", failure.c_str());
  session.reset();
  return false;
}

const char* kindName(SpriteDraw::Kind kind) {
  switch (kind) {
    case SpriteDraw::zarup: return "zarup";
    case SpriteDraw::melkit: return "melkit";
    case SpriteDraw::tovrin: return "tovrin";
    case SpriteDraw::line: return "line";
  }
  return "?";
}

std::string number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

}  // namespace

extern "C" {

// A new session, start-up done, no game running. Returns 1, or 0 on failure.
EMSCRIPTEN_KEEPALIVE int kinopa_start_up() {
  failure.clear();
  try {
    session = std::make_unique<WebSession>(std::vector<double>{0.25, 0.5, 0.75, 0.125, 0.875, 0.375});
    return 1;
  } catch (const std::exception& e) {
    failure = std::string("kinopa_start_up: ") + kinopa::errorReport(e);
  }
  std::fprintf(stderr, "%s\n", failure.c_str());
  return 0;
}

EMSCRIPTEN_KEEPALIVE int kinopa_press_start() {
  return onSession("kinopa_press_start", [](WebSession& s) { s.pressStart(); });
}

EMSCRIPTEN_KEEPALIVE int kinopa_pointer_move(float x, float y) {
  return onSession("kinopa_pointer_move", [=](WebSession& s) { s.pointerMove(x, y); });
}

EMSCRIPTEN_KEEPALIVE int kinopa_pointer_up(float x, float y) {
  return onSession("kinopa_pointer_up", [=](WebSession& s) { s.pointerUp(x, y); });
}

EMSCRIPTEN_KEEPALIVE int kinopa_animation_frame(double pageMs) {
  return onSession("kinopa_animation_frame", [=](WebSession& s) { s.animationFrame(pageMs); });
}

// The state line after the latest pass, or "" when the session failed.
EMSCRIPTEN_KEEPALIVE const char* kinopa_state_line() {
  reply.clear();
  onSession("kinopa_state_line", [](WebSession& s) { reply = s.stateLine(); });
  return reply.c_str();
}

// The caption of a control (kinopa::Control's order), "" after a failure.
EMSCRIPTEN_KEEPALIVE const char* kinopa_caption(int control) {
  reply.clear();
  if (control < 0 || control > static_cast<int>(kinopa::Control::Label8)) {
    std::fprintf(stderr, "kinopa_caption: no control %d\n", control);
    return reply.c_str();
  }
  onSession("kinopa_caption",
            [=](WebSession& s) { reply = s.caption(static_cast<kinopa::Control>(control)); });
  return reply.c_str();
}

// The drawing calls of the frame shown last, as a JSON array of
// {"kind", "x", "y", "c"} objects; "" after a failure.
EMSCRIPTEN_KEEPALIVE const char* kinopa_shown_frame() {
  reply.clear();
  onSession("kinopa_shown_frame", [](WebSession& s) {
    reply = "[";
    for (const SpriteDraw& d : s.shownFrame()) {
      if (reply.size() > 1) reply += ',';
      reply += std::string("{\"kind\":\"") + kindName(d.kind) + "\",\"x\":" + number(d.x) +
               ",\"y\":" + number(d.y) + ",\"c\":" + number(d.c) + "}";
    }
    reply += "]";
  });
  return reply.c_str();
}

// The state lines of fixedRun(passes), one a line; "" on failure.
EMSCRIPTEN_KEEPALIVE const char* kinopa_fixed_run(int passes) {
  reply.clear();
  try {
    for (const std::string& line : kinopa::web::fixedRun(passes)) reply += line + "\n";
  } catch (const std::exception& e) {
    reply.clear();
    std::fprintf(stderr, "kinopa_fixed_run: %s\n", kinopa::errorReport(e).c_str());
  }
  return reply.c_str();
}

// Why the session stopped, or "" while it runs.
EMSCRIPTEN_KEEPALIVE const char* kinopa_error() { return failure.c_str(); }

}  // extern "C"
