#include "app/replay.h"

#include <QLabel>
#include <QPushButton>
#include <cstdio>

#include "app/draw_w.h"
#include "platform/event_pump.h"

namespace kinopa {
namespace {

// Events are the script's own: nothing to wait for.
class NoEvents : public EventPump {
 public:
  void yield(bool) override {}
  void yieldUntilNextFrame() override {}
};

std::string g17(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string text(const QLabel* label) { return label->text().toStdString(); }

// The play field as last presented; before any frame, its own picture.
QImage fieldPicture(DrawW& w) {
  if (w.Picture1->presentCount() > 0) return w.Picture1->lastFrame().copy();
  return w.Picture1->picture().copy(0, 0, w.Picture1->width(), w.Picture1->height());
}

}  // namespace

double ScriptRandom::Rnd() {
  if (values_.empty()) throw UsedUp();
  const double v = values_.front();
  values_.pop_front();
  return v;
}

std::string replayStateLine(DrawW& w, int n) {
  const Game& g = w.g;
  const Objects& o = g.objects;
  std::string s = "frame " + std::to_string(n) + ": tick=" + g17(g.frameTick) +
                  " rem=" + g17(g.remainingTime) + " score=" + std::to_string(g.score) +
                  " rate=" + std::to_string(g.scoreRate) + " high=" + std::to_string(g.highScore) +
                  " paused=" + std::to_string(g.paused);
  s += " zarup=" + g17(o.zarupX) + "," + g17(o.zarupY) + "," + g17(o.zarupVX) + "," +
       g17(o.zarupVY) + "," + g17(o.zarupFrame);
  s += " caught=" + std::to_string(g.zarupCaught);
  s += " melkit=" + g17(o.melkitX) + "," + g17(o.melkitY) + "," + g17(o.melkitVX) + "," +
       g17(o.melkitVY) + "," + g17(o.melkitFrame) + "," + std::to_string(o.melkitFacingRight) +
       "," + g17(o.melkitSpeedFactor);
  s += " hover=" + std::to_string(g.melkitHover);
  s += " tovrin=" + std::to_string(g.tovrinX) + "," + std::to_string(o.tovrinFrame) + "," +
       std::to_string(o.tovrinPrevX);
  s += " mouse=" + std::to_string(g.mouseX) + "," + std::to_string(g.mouseY);
  s += " misses=" + std::to_string(o.misclickCount);
  s += " popups=";
  for (int i = 0; i < kPopupSlots; ++i) {
    if (i > 0) s += ";";
    s += std::to_string(g.popupActive[i]) + "," + std::to_string(g.popupX[i]) + "," +
         std::to_string(g.popupY[i]) + "," + std::to_string(o.popupAge[i]);
  }
  s += " labels=" + text(w.Label6) + "|" + text(w.Label4) + "|" + text(w.Label5) + "|" +
       text(w.Label8) + "|" + w.gamestart->text().toStdString();
  return s;
}

int runReplay(const std::vector<ReplayCommand>& script, std::ostream& out) {
  ScriptTick tick;
  ScriptRandom random;
  NoEvents pump;
  DrawW w{Services{tick, random, pump, false}};
  bool started = false;
  int frames = 0;
  try {
    for (const ReplayCommand& c : script) {
      if (c.kind == ReplayCommand::random) {
        random.append(c.values);
        continue;
      }
      if (!started) {
        started = true;
        w.startUp();
      }
      Game& g = w.g;
      switch (c.kind) {
        case ReplayCommand::random: break;
        case ReplayCommand::tick: tick.now = c.ticks; break;
        case ReplayCommand::idle: g.prevTick = tick.GetTickCount(); break;
        case ReplayCommand::start: g.gamestart_Click(); break;
        case ReplayCommand::move:
          g.Picture1_MouseMove(0, 0, static_cast<float>(c.values[0]),
                               static_cast<float>(c.values[1]));
          break;
        case ReplayCommand::up:
          g.Picture1_MouseUp(kLeftButton, 0, static_cast<float>(c.values[0]),
                             static_cast<float>(c.values[1]));
          break;
        case ReplayCommand::frame:
          if (g.paused == kClear) {
            g.game();
            g.raiseHighScore();
          } else {
            g.prevTick = tick.GetTickCount();
          }
          out << replayStateLine(w, ++frames) << '\n';
          break;
        case ReplayCommand::shot:
          if (!fieldPicture(w).save(QString::fromStdString(c.file), "PNG"))
            throw Error("cannot write " + c.file);
          break;
      }
    }
  } catch (const OverflowError&) {
    out << "error overflow\n";
    return 1;
  } catch (const ScriptRandom::UsedUp&) {
    out << "error random\n";
    return 1;
  } catch (const std::exception& e) {
    out << "error " << errorReport(e) << '\n';
    return 1;
  }
  out.flush();
  return 0;
}

}  // namespace kinopa
