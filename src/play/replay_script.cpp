#include "play/replay_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "play/carried_state.h"

namespace kinopa {
namespace {

// Whether `w` from `i` on starts with digits; moves `i` past them.
bool digits(const std::string& w, std::size_t& i) {
  const std::size_t from = i;
  while (i < w.size() && w[i] >= '0' && w[i] <= '9') ++i;
  return i > from;
}

void sign(const std::string& w, std::size_t& i) {
  if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
}

// [+-]digits
bool isWhole(const std::string& w) {
  std::size_t i = 0;
  sign(w, i);
  return digits(w, i) && i == w.size();
}

// [+-](digits[.[digits]] | .digits)[(e|E)[+-]digits]: no hexadecimal, no
// infinity, no nan.
bool isDecimal(const std::string& w) {
  std::size_t i = 0;
  sign(w, i);
  const bool whole = digits(w, i);
  if (i < w.size() && w[i] == '.') {
    ++i;
    if (!digits(w, i) && !whole) return false;
  } else if (!whole) {
    return false;
  }
  if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
    ++i;
    sign(w, i);
    if (!digits(w, i)) return false;
  }
  return i == w.size();
}

[[noreturn]] void bad(int line, const std::string& why) {
  throw ScriptError("line " + std::to_string(line) + ": " + why);
}

double decimal(const std::string& word, int line) {
  if (!isDecimal(word)) bad(line, "not a number: " + word);
  return std::strtod(word.c_str(), nullptr);  // out of range gives +-inf or 0
}

int32_t whole32(const std::string& word, int line) {
  if (!isWhole(word)) bad(line, "not a whole number: " + word);
  errno = 0;
  const long long v = std::strtoll(word.c_str(), nullptr, 10);
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
    bad(line, "outside the signed 32-bit range: " + word);
  return static_cast<int32_t>(v);
}

}  // namespace

bool ScriptReader::next(ReplayCommand& c) {
  std::vector<std::string> w;
  while (w.empty()) {
    if (!std::getline(in_, text_)) {
      if (in_.bad()) throw ScriptError("the script cannot be read after line " + std::to_string(line_));
      return false;
    }
    ++line_;
    if (const auto hash = text_.find('#'); hash != std::string::npos) text_.erase(hash);
    std::istringstream words(text_);
    for (std::string word; words >> word;) w.push_back(word);
  }
  const int line = line_;
  const std::string& name = w[0];
  const std::size_t args = w.size() - 1;
  c = ReplayCommand{ReplayCommand::idle, {}, 0, {}, line};
  const auto expect = [&](std::size_t n) {
    if (args != n) bad(line, name + " takes " + std::to_string(n) + " argument" + (n == 1 ? "" : "s"));
  };
  if (name == "state") {
    if (any_) bad(line, "state must come first");
    std::string why;
    c.kind = ReplayCommand::state;
    c.values = parseCarriedState({w.begin() + 1, w.end()}, why);
    if (c.values.empty()) bad(line, why);
  } else if (name == "random") {
    if (args == 0) bad(line, "random needs at least one value");
    c.kind = ReplayCommand::random;
    for (std::size_t i = 1; i < w.size(); ++i) {
      const double v = decimal(w[i], line);
      if (!(v >= 0.0 && v < 1.0)) bad(line, "random value outside [0, 1): " + w[i]);
      c.values.push_back(v);
    }
  } else if (name == "tick" || name == "high") {
    expect(1);
    c.kind = name == "tick" ? ReplayCommand::tick : ReplayCommand::high;
    c.number = whole32(w[1], line);
  } else if (name == "idle" || name == "start" || name == "frame") {
    expect(0);
    c.kind = name == "idle"    ? ReplayCommand::idle
             : name == "start" ? ReplayCommand::start
                               : ReplayCommand::frame;
  } else if (name == "move" || name == "up") {
    expect(2);
    c.kind = name == "move" ? ReplayCommand::move : ReplayCommand::up;
    c.values = {decimal(w[1], line), decimal(w[2], line)};
  } else if (name == "shot") {
    expect(1);
    c.kind = ReplayCommand::shot;
    c.file = w[1];
  } else {
    bad(line, "unknown command: " + name);
  }
  any_ = true;
  return true;
}

void ScriptReader::rewind() {
  in_.clear();
  if (!in_.seekg(0)) throw ScriptError("the script cannot be read again from its start");
  line_ = 0;
  any_ = false;
}

std::vector<ReplayCommand> parseReplayScript(std::istream& in) {
  std::vector<ReplayCommand> script;
  ScriptReader reader(in);
  for (ReplayCommand c; reader.next(c);) script.push_back(std::move(c));
  return script;
}

}  // namespace kinopa
