// The 50 ms tick and the time of day.
#pragma once

#include <QTimer>
#include <functional>

#include "shell/ports.h"

namespace qz::app {

class QtTimerPort : public TimerPort {
 public:
  static constexpr int kIntervalMs = 50;
  explicit QtTimerPort(std::function<void()> onTick);
  void setEnabled(bool enabled) override;
  bool enabled() const { return timer_.isActive(); }

 private:
  QTimer timer_;
};

class LocalTimeSource : public TimeSource {
 public:
  double secondsSinceMidnight() override;
  void waitBriefly() override;
};

}  // namespace qz::app
