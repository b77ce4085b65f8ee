#pragma once

#include <QObject>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quavelo {

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); nullopt when it cannot be read.
std::optional<std::int64_t> ProcessStatusKb(std::string_view field);

// The --measure-startup run: notes when the start screen has been painted for the first time,
// then the caller connects to the simulated TORVA and reads the memory in use. The figures go to
// stdout, one "name value" line each, for bench/startup.sh:
//   first-paint-realtime-us  the wall clock (CLOCK_REALTIME, µs) after the first paint
//   first-paint-since-main-ms  the same, counted from main()
//   connected  1 when the panel connected to the simulated TORVA
//   rss-kb-first-paint, rss-kb-connected, hwm-kb  resident memory then, and its peak
class StartupMeasure : public QObject {
    Q_OBJECT

  public:
    // `mainStarted` is the steady clock when main() began.
    StartupMeasure(QWidget& startScreen, std::chrono::steady_clock::time_point mainStarted);

    bool FirstPaintDone() const { return painted_; }
    // Prints the figures of the first paint.
    void PrintFirstPaint() const;
    // Prints the memory figures of the connected panel.
    static void PrintConnected(bool connected);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void NoteFirstPaint();

    std::chrono::steady_clock::time_point mainStarted_;
    bool seen_ = false;
    bool painted_ = false;
    std::int64_t realtimeUs_ = 0;
    double sinceMainMs_ = 0;
    std::optional<std::int64_t> rssKb_;
};

}  // namespace quavelo
