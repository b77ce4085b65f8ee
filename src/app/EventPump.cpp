#include "app/EventPump.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace quavelo {

bool PumpEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (done()) return true;
        if (elapsed.elapsed() >= limit.count()) return false;
        QThread::msleep(5);
    }
}

}  // namespace quavelo
