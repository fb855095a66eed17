#pragma once
// The player's wall clock: the date and time where the player is, as the
// platform tells it. Part of the platform face, declared here, defined by the
// back end (Qt's on the desktop, the browser's in the page). The rules never
// read it; it only dates what is kept for the player.
#include <cstdint>

namespace kinopa {

struct LocalTime {
  int year = 1970;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int utcOffsetMinutes = 0;  // the local time less UTC, in minutes
};

// Now, in the player's local time. Throws PlatformError when the platform
// cannot tell.
LocalTime localTimeNow();

// The moment `t` names, in milliseconds since 1970-01-01 00:00 UTC.
int64_t utcMilliseconds(const LocalTime& t);

}  // namespace kinopa
