#pragma once
// Errors of the running program. Any error nobody handles ends the game with
// one error box that tells the player what happened; standard error gets the
// technical description and the routine where it arose.
#include <exception>
#include <stdexcept>
#include <string>

#include "core/player_text.h"

namespace kinopa {

class Error : public std::runtime_error {
 public:
  // `description` says what went wrong, for a bug report; `text` says it to
  // the player. The routine running at the throw is recorded as where it
  // arose.
  explicit Error(const std::string& description, PlayerText text = {});
  const std::string& description() const { return description_; }
  const std::string& where() const { return where_; }
  const PlayerText& text() const { return text_; }

 private:
  std::string description_;
  std::string where_;
  PlayerText text_;
};

// A number left the range of its type.
class OverflowError : public Error {
 public:
  OverflowError();
};

// An array was indexed outside its bounds.
class IndexError : public Error {
 public:
  IndexError();
};

// Element i of a fixed array; an index outside it is an IndexError.
template <class Array>
auto& checkedAt(Array& array, long i) {
  if (i < 0 || static_cast<unsigned long>(i) >= array.size()) throw IndexError();
  return array[static_cast<std::size_t>(i)];
}

// A call on a media object (a surface, a sound buffer...) failed.
class PlatformError : public Error {
 public:
  PlatformError(const std::string& object, const std::string& operation,
                const std::string& detail, PlayerText text = {});
  const std::string& object() const { return object_; }
  const std::string& operation() const { return operation_; }

 private:
  std::string object_;
  std::string operation_;
};

// Marks the routine that is running, so an error knows where it arose.
// Use KINOPA_ROUTINE("draw_w.game") at the top of a routine.
class RoutineScope {
 public:
  explicit RoutineScope(const char* name);
  ~RoutineScope();
  RoutineScope(const RoutineScope&) = delete;
  RoutineScope& operator=(const RoutineScope&) = delete;

 private:
  const char* previous_;
};
#define KINOPA_ROUTINE(name) ::kinopa::RoutineScope kinopa_routine_scope_(name)

// The innermost routine marked with KINOPA_ROUTINE, or "" outside any.
const char* currentRoutine();

// An error in one line for standard error: its description and the routine
// where it arose.
std::string errorReport(const std::exception& e);

// Window events run inside the window system's dispatch, which must not be
// unwound by an exception. Handlers run through guarded(): an error is kept
// here, later handlers are skipped, and the main loop raises it again as
// soon as the yield returns (rethrowDeferred).
void deferError(std::exception_ptr e);
bool errorPending();
void rethrowDeferred();

template <class F>
void guarded(F&& handler) {
  if (errorPending()) return;
  try {
    handler();
  } catch (...) {
    deferError(std::current_exception());
  }
}

}  // namespace kinopa
