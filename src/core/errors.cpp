#include "core/errors.h"

#include <utility>

namespace kinopa {
namespace {
thread_local const char* g_routine = "";
std::exception_ptr g_deferred;
}  // namespace

Error::Error(const std::string& description, PlayerText text)
    : std::runtime_error(description),
      description_(description),
      where_(g_routine),
      text_(std::move(text)) {}

OverflowError::OverflowError()
    : Error("Overflow", {QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on "
                                                     "from: a number went beyond the range it "
                                                     "can hold.")}) {}

IndexError::IndexError()
    : Error("Subscript out of range",
            {QT_TRANSLATE_NOOP("kinopa", "The game met an error it cannot go on from: a value "
                                         "fell outside its table.")}) {}

PlatformError::PlatformError(const std::string& object, const std::string& operation,
                             const std::string& detail, PlayerText text)
    : Error(object + "." + operation + " failed: " + detail, std::move(text)),
      object_(object),
      operation_(operation) {}

RoutineScope::RoutineScope(const char* name) : previous_(g_routine) { g_routine = name; }
RoutineScope::~RoutineScope() { g_routine = previous_; }

const char* currentRoutine() { return g_routine; }

std::string errorReport(const std::exception& e) {
  if (const auto* err = dynamic_cast<const Error*>(&e)) {
    if (!err->where().empty()) return err->description() + " (in " + err->where() + ")";
    return err->description();
  }
  return std::string(e.what());
}

void deferError(std::exception_ptr e) {
  if (!g_deferred) g_deferred = std::move(e);
}

bool errorPending() { return static_cast<bool>(g_deferred); }

void rethrowDeferred() {
  if (!g_deferred) return;
  std::exception_ptr e = std::move(g_deferred);
  g_deferred = nullptr;
  std::rethrow_exception(e);
}

}  // namespace kinopa
