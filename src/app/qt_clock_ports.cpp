#include "app/qt_clock_ports.h"

#include <QThread>
#include <QTime>

namespace qz::app {

QtTimerPort::QtTimerPort(std::function<void()> onTick) {
  timer_.setInterval(kIntervalMs);
  QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(onTick)] { tick(); });
}

void QtTimerPort::setEnabled(bool enabled) {
  if (enabled && !timer_.isActive()) timer_.start();
  if (!enabled) timer_.stop();
}

double LocalTimeSource::secondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void LocalTimeSource::waitBriefly() { QThread::msleep(2); }

}  // namespace qz::app
