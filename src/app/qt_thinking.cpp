#include "app/qt_thinking.h"

#include <QEventLoop>
#include <QTimer>
#include <thread>

namespace qz::app {

bool QtThinking::run(const std::function<void(const std::atomic<bool>& stop)>& work,
                     const std::function<void()>& alive) {
  stop_ = false;
  abandoned_ = false;
  active_ = true;
  if (onActiveChanged) onActiveChanged(true);
  QEventLoop loop;
  QTimer ticker;
  ticker.setInterval(50);
  QObject::connect(&ticker, &QTimer::timeout, &loop, [&alive, this] {
    if (!abandoned_) alive();
  });
  ticker.start();
  std::thread worker([&] {
    work(stop_);
    // Queued: the loop quits on its own thread, also when the work ends
    // before the loop has started.
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  // Input reaches the window meanwhile; the window passes nothing but Esc
  // and closing on to the game while a turn runs.
  loop.exec();
  worker.join();
  ticker.stop();
  active_ = false;
  if (onActiveChanged) onActiveChanged(false);
  return !abandoned_;
}

void QtThinking::abandon() {
  abandoned_ = true;
  stop_ = true;
}

}  // namespace qz::app
