#include "platform/event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/errors.h"

namespace kinopa {

void QtEventPump::yield(bool waitForEvent) {
  QCoreApplication::processEvents(waitForEvent ? QEventLoop::WaitForMoreEvents
                                               : QEventLoop::AllEvents);
  rethrowDeferred();
}

}  // namespace kinopa
