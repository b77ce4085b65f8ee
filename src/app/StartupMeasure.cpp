#include "app/StartupMeasure.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fstream>
#include <string>

namespace quavelo {

std::optional<std::int64_t> ProcessStatusKb(std::string_view field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.size() > field.size() && line.compare(0, field.size(), field) == 0 &&
            line[field.size()] == ':') {
            try {
                return std::stoll(line.substr(field.size() + 1));
            } catch (const std::exception&) {
                return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

StartupMeasure::StartupMeasure(QWidget& startScreen,
                               std::chrono::steady_clock::time_point mainStarted)
    : QObject(&startScreen), mainStarted_(mainStarted) {
    startScreen.installEventFilter(this);
}

bool StartupMeasure::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint && !seen_) {
        seen_ = true;
        // The paint event comes before the frame is handed to the window system; the zero timer
        // runs once that painting pass has ended.
        QTimer::singleShot(0, this, [this] { NoteFirstPaint(); });
    }
    return false;
}

void StartupMeasure::NoteFirstPaint() {
    const auto now = std::chrono::steady_clock::now();
    realtimeUs_ = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
    sinceMainMs_ = std::chrono::duration<double, std::milli>(now - mainStarted_).count();
    rssKb_ = ProcessStatusKb("VmRSS");
    painted_ = true;
}

void StartupMeasure::PrintFirstPaint() const {
    std::printf("first-paint-realtime-us %lld\n", static_cast<long long>(realtimeUs_));
    std::printf("first-paint-since-main-ms %.1f\n", sinceMainMs_);
    std::printf("rss-kb-first-paint %lld\n", static_cast<long long>(rssKb_.value_or(-1)));
    // Seen at once by whoever waits for it on a pipe or in a file.
    std::fflush(stdout);
}

void StartupMeasure::PrintConnected(bool connected) {
    std::printf("connected %d\n", connected ? 1 : 0);
    std::printf("rss-kb-connected %lld\n",
                static_cast<long long>(ProcessStatusKb("VmRSS").value_or(-1)));
    std::printf("hwm-kb %lld\n", static_cast<long long>(ProcessStatusKb("VmHWM").value_or(-1)));
    std::fflush(stdout);
}

}  // namespace quavelo
