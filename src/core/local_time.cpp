#include "core/local_time.h"

namespace kinopa {
namespace {

// Days from 1970-01-01 to the date in the proleptic Gregorian calendar
// (H. Hinnant's days_from_civil).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

int64_t utcMilliseconds(const LocalTime& t) {
  const int64_t minutes = daysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute -
                          t.utcOffsetMinutes;
  return (minutes * 60 + t.second) * 1000 + t.millisecond;
}

}  // namespace kinopa
