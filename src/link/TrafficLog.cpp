#include "link/TrafficLog.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <utility>

namespace quavelo {

namespace {

// Exactly 13 blanks stand between the message and the time stamp.
constexpr std::string_view kSeparator = "             ";

}  // namespace

LocalTime CurrentLocalTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const auto millisecond = static_cast<int>(((sinceEpoch % 1000) + 1000) % 1000);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     millisecond};
}

std::string LogFileName(const LocalTime& time) {
    char name[64];
    std::snprintf(name, sizeof name, "Log_%d-%02d-%02d.txt", time.year, time.month, time.day);
    return name;
}

std::string FormatLogLine(std::string_view message, const LocalTime& time) {
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%d-%02d-%02d %02d:%02d:%02d:%d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second, time.millisecond);
    std::string line;
    line.reserve(2 + message.size() + kSeparator.size() + sizeof stamp + 1);
    line += "1:";
    line += message;
    line += kSeparator;
    line += stamp;
    line += '\n';
    return line;
}

TrafficLog::TrafficLog(std::filesystem::path directory, LocalClock clock)
    : directory_(std::move(directory)), clock_(std::move(clock)) {}

void TrafficLog::WriteLogLine(std::string_view message) {
    // Without a data directory there is no diary; the working folder is not one.
    if (directory_.empty()) return;
    std::lock_guard lock(writeLock_);
    const LocalTime now = clock_();
    const std::string line = FormatLogLine(message, now);
    const std::filesystem::path path = directory_ / LogFileName(now);
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fclose(file);
}

}  // namespace quavelo
