#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "link/LogSink.h"

namespace quavelo {

// A moment in local time, as the log's file names and time stamps show it.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;  // 0..999
};

using LocalClock = std::function<LocalTime()>;

// The system clock in the local time zone.
LocalTime CurrentLocalTime();

// "Log_2026-03-07.txt": one file per local day.
std::string LogFileName(const LocalTime& time);
// "1:<message>", 13 blanks, the time stamp "2026-03-07 09:05:02:41" (milliseconds unpadded) and
// the line end.
std::string FormatLogLine(std::string_view message, const LocalTime& time);

// The daily diary of HID traffic in the data directory. Each line reads the clock once, so its
// file is the day it was written on; the file is opened, appended to and closed for every line,
// so nothing stays open. A line that cannot be written (unwritable directory, full disk) is
// dropped silently, as is every line when the directory is empty (no data directory could be
// had: the working folder does not stand in for it). Writers from several threads are serialised:
// no line is lost or torn, and lines appear in the order of their time stamps.
class TrafficLog final : public LogSink {
  public:
    // `clock` is called under the writer lock, so it need not be thread-safe itself.
    explicit TrafficLog(std::filesystem::path directory, LocalClock clock = CurrentLocalTime);

    void WriteLogLine(std::string_view message) override;

    const std::filesystem::path& Directory() const noexcept { return directory_; }

  private:
    const std::filesystem::path directory_;
    const LocalClock clock_;
    std::mutex writeLock_;
};

}  // namespace quavelo
