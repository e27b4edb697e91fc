// The deep levels think on a worker thread while the window lives on: it
// repaints, the clock ticks, and Esc or closing the window ends the program
// within a moment.
#pragma once

#include <atomic>

#include "shell/ports.h"

namespace qz::app {

class QtThinking : public Thinking {
 public:
  bool run(const std::function<void(const std::atomic<bool>& stop)>& work,
           const std::function<void()>& alive) override;

  // Whether work is running now.
  bool active() const { return active_; }
  // The player ends the program: the work is told to stop and run answers
  // false as soon as it has.
  void abandon();
  // Told when work starts (true) and when it has ended (false): the analysis
  // window's searches wait meanwhile.
  std::function<void(bool active)> onActiveChanged;

 private:
  std::atomic<bool> stop_{false};
  bool active_ = false;
  bool abandoned_ = false;
};

}  // namespace qz::app
