#include "core/local_time.h"

#include <QDateTime>

#include "core/errors.h"

namespace kinopa {

LocalTime localTimeNow() {
  const QDateTime now = QDateTime::currentDateTime();
  if (!now.isValid()) throw PlatformError("Clock", "Now", "the local time is not known");
  const QDate d = now.date();
  const QTime t = now.time();
  return LocalTime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec(),
                   now.offsetFromUtc() / 60};
}

}  // namespace kinopa
