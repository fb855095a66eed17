#pragma once
// Stand-ins for the main window and the clock, so the rules can be played
// frame by frame with exact values.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/ports.h"
#include "core/event_pump.h"
#include "core/tick.h"

namespace kinopa::testing_support {

class RecordingBoard : public Board {
 public:
  int width = kFieldWidth;
  int height = kFieldHeight;
  std::map<Control, std::string> captions;
  std::map<Control, bool> enabled{{Control::Command1, false}};
  std::vector<std::pair<Control, std::string>> writes;

  int fieldWidth() override { return width; }
  int fieldHeight() override { return height; }
  void setCaption(Control c, const std::string& text) override {
    captions[c] = text;
    writes.emplace_back(c, text);
  }
  void setEnabled(Control c, bool on) override { enabled[c] = on; }
  bool isEnabled(Control c) override { return enabled[c]; }
  std::string caption(Control c) const {
    auto it = captions.find(c);
    return it == captions.end() ? "<unset>" : it->second;
  }
};

// Records the drawing calls of each frame, with their arguments.
class RecordingFrame : public FrameDrawing {
 public:
  struct Draw {
    std::string what;
    double x = 0, y = 0, c = 0;
  };
  std::vector<std::string> calls;
  std::vector<Draw> draws;  // sprites and the tovrin's line (c = x2)
  void surfinit() override { calls.push_back("surfinit"); }
  void textdraw() override { calls.push_back("textdraw"); }
  void zarup_draw(double x, double y, double c) override { sprite("zarup_draw", x, y, c); }
  void melkit_draw(double x, double y, double c) override { sprite("melkit_draw", x, y, c); }
  void tovrin_draw(double x, double c) override { sprite("tovrin_draw", x, 500, c); }
  void DrawRoundedBox(int32_t x1, int32_t y1, int32_t x2, int32_t, int32_t, int32_t) override {
    sprite("DrawRoundedBox", x1, y1, x2);
  }
  void surfflip() override { calls.push_back("surfflip"); }
  int frames() const {
    int n = 0;
    for (const auto& c : calls) n += c == "surfflip";
    return n;
  }
  // The latest draw of a kind.
  Draw last(const std::string& what) const {
    for (auto it = draws.rbegin(); it != draws.rend(); ++it)
      if (it->what == what) return *it;
    return {"<none>"};
  }

 private:
  void sprite(const char* what, double x, double y, double c) {
    calls.push_back(what);
    draws.push_back({what, x, y, c});
  }
};

// Records what the rules ask of the sound side, in order.
class RecordingSounds : public SoundCues {
 public:
  std::vector<std::string> calls;
  void waveiniread() override { calls.push_back("waveiniread"); }
  void loadwavex() override { calls.push_back("loadwavex"); }
  void halt(Sound s) override { calls.push_back("halt " + name(s)); }
  void restart(Sound s) override { calls.push_back("restart " + name(s)); }
  static std::string name(Sound s) {
    switch (s) {
      case Sound::music: return "music";
      case Sound::zarupOk: return "zarupOk";
      case Sound::zarupFall: return "zarupFall";
      case Sound::melkitOk: return "melkitOk";
      case Sound::melkitMiss: return "melkitMiss";
    }
    return "?";
  }
};

class ScriptedTick : public TickCounter {
 public:
  int32_t now = 1000;
  int32_t GetTickCount() override { return now; }
};

// The window system of a scripted run: each yield of the main loop lets the
// clock run on 2 ms and runs `step` (or step i of `steps`, then `atEnd`);
// `afterFrame` runs in the turn that follows each frame.
class ScriptPump : public EventPump {
 public:
  std::function<void(std::size_t)> step;
  std::vector<std::function<void()>> steps;
  std::function<void()> atEnd;
  std::function<void()> afterFrame;
  ScriptedTick* tick = nullptr;
  std::size_t yields = 0;

  void yield(bool) override {
    tick->now += 2;
    const std::size_t i = yields++;
    if (step) {
      step(i);
    } else if (i < steps.size()) {
      if (steps[i]) steps[i]();
    } else if (atEnd) {
      atEnd();
    }
  }
  void yieldUntilNextFrame() override {
    if (afterFrame) afterFrame();
    yield(false);
  }
};

}  // namespace kinopa::testing_support
