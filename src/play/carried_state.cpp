#include "play/carried_state.h"

#include <charconv>
#include <cstdio>

#include "game/game.h"
#include "game/ports.h"
#include "play/state_line.h"

namespace kinopa {
namespace {

struct Range {
  long long lo, hi, step;
};
constexpr long long kI32Min = INT32_MIN, kI32Max = INT32_MAX;
constexpr long long kI16Min = INT16_MIN, kI16Max = INT16_MAX;
constexpr Range kAnyI32{kI32Min, kI32Max, 1};
constexpr Range kFlag{-1, 0, 1};
constexpr Range kAge{0, 120, 1};
constexpr Range kTovrinLeft{kTovrinLeftMost, kTovrinRightMost, 1};

struct Key {
  const char* name;
  std::vector<Range> values;
};

// The line's keys in their order, with the range of each value.
const std::vector<Key>& keys() {
  static const std::vector<Key> k = {
      {"high", {kAnyI32}},
      {"tick", {kAnyI32, kAnyI32}},
      // Where the pointer can put the tovrin, and where a frame saw it.
      {"tovrin", {kTovrinLeft, {0, 2, 2}, kTovrinLeft}},
      {"mouse", {{kI16Min, kI16Max, 1}, {kI16Min, kI16Max, 1}}},
      {"hover", {kFlag}},
      {"caught", {kFlag}},
      {"melkit", {{0, 9, 1}}},
      {"misses", {{0, 2, 1}}},
      {"ages", {kAge, kAge, kAge, kAge, kAge, kAge, kAge}},
  };
  return k;
}

bool whole(const std::string& text, std::size_t from, std::size_t to, const Range& r,
           double& out) {
  long long v = 0;
  const char* first = text.data() + from;
  const char* last = text.data() + to;
  if (first != last && *first == '+') return false;  // one spelling for each number
  const auto [end, ec] = std::from_chars(first, last, v);
  if (ec != std::errc() || end != last || v < r.lo || v > r.hi || (v - r.lo) % r.step != 0)
    return false;
  out = static_cast<double>(v);
  return true;
}

}  // namespace

std::vector<double> parseCarriedState(const std::vector<std::string>& words, std::string& why) {
  std::vector<double> values;
  const auto& k = keys();
  if (words.size() != k.size()) {
    why = "state takes " + std::to_string(k.size()) + " arguments";
    return {};
  }
  for (std::size_t i = 0; i < k.size(); ++i) {
    const std::string& w = words[i];
    const std::string key = std::string(k[i].name) + "=";
    if (w.compare(0, key.size(), key) != 0) {
      why = "state expects " + key + " where it has " + w;
      return {};
    }
    std::size_t from = key.size();
    for (std::size_t j = 0; j < k[i].values.size(); ++j) {
      const bool lastOne = j + 1 == k[i].values.size();
      std::size_t to = lastOne ? w.size() : w.find(',', from);
      double v = 0;
      if (to == std::string::npos || !whole(w, from, to, k[i].values[j], v)) {
        why = "state value out of range or malformed: " + w;
        return {};
      }
      values.push_back(v);
      from = to + 1;
    }
  }
  return values;
}

CarriedState carriedFromValues(const std::vector<double>& v) {
  // The values were checked by parseCarriedState: each fits its field.
  const auto i16 = [&](std::size_t i) { return static_cast<int16_t>(v.at(i)); };
  CarriedState s;
  s.highScore = static_cast<int32_t>(v.at(0));
  s.frameTick = v.at(1);
  s.prevTick = v.at(2);
  s.tovrinX = i16(3);
  s.tovrinFrame = i16(4);
  s.tovrinPrevX = i16(5);
  s.mouseX = i16(6);
  s.mouseY = i16(7);
  s.melkitHover = i16(8);
  s.zarupCaught = i16(9);
  s.melkitFrame = v.at(10);
  s.misclickCount = i16(11);
  for (int k = 0; k < kPopupSlots; ++k) s.popupAge[k] = i16(12 + k);
  return s;
}

CarriedState carriedFrom(const Game& g) {
  const Objects& o = g.objects;
  return {g.highScore,   g.frameTick,     g.prevTick,       g.tovrinX,
          o.tovrinFrame, o.tovrinPrevX,   g.mouseX,         g.mouseY,
          g.melkitHover, g.zarupCaught,   o.melkitFrame,    o.misclickCount,
          o.popupAge};
}

void carryInto(const CarriedState& s, Game& g) {
  Objects& o = g.objects;
  g.highScore = s.highScore;
  g.frameTick = s.frameTick;
  g.prevTick = s.prevTick;
  g.tovrinX = s.tovrinX;
  o.tovrinFrame = s.tovrinFrame;
  o.tovrinPrevX = s.tovrinPrevX;
  g.mouseX = s.mouseX;
  g.mouseY = s.mouseY;
  g.melkitHover = s.melkitHover;
  g.zarupCaught = s.zarupCaught;
  o.melkitFrame = s.melkitFrame;
  o.misclickCount = s.misclickCount;
  o.popupAge = s.popupAge;
}

std::string stateCommand(const CarriedState& s) {
  const auto n = [](int v) { return std::to_string(v); };
  std::string line = "state high=" + n(s.highScore) + " tick=" + exactText(s.frameTick) + "," +
                     exactText(s.prevTick) + " tovrin=" + n(s.tovrinX) + "," + n(s.tovrinFrame) +
                     "," + n(s.tovrinPrevX) + " mouse=" + n(s.mouseX) + "," + n(s.mouseY) +
                     " hover=" + n(s.melkitHover) + " caught=" + n(s.zarupCaught) +
                     " melkit=" + exactText(s.melkitFrame) + " misses=" + n(s.misclickCount) +
                     " ages=";
  for (int k = 0; k < kPopupSlots; ++k) line += (k > 0 ? "," : "") + n(s.popupAge[k]);
  return line;
}

}  // namespace kinopa
