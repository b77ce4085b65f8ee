#include "sim/WireTrace.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "link/HexBytes.h"
#include "link/ReportLink.h"

namespace quavelo {

namespace {

WireTrace::Clock OrSteadyClock(WireTrace::Clock clock) {
    if (clock) return clock;
    return [] { return std::chrono::steady_clock::now(); };
}

}  // namespace

std::string FormatWireTraceLine(std::chrono::nanoseconds sinceOpen, WireDirection direction,
                                std::span<const std::uint8_t> report, bool failed) {
    const long long micros = std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::microseconds>(sinceOpen).count());
    char time[32];
    std::snprintf(time, sizeof time, "%lld.%03lld ", micros / 1000, micros % 1000);
    HidReport shown{};
    std::copy_n(report.begin(), std::min(report.size(), shown.size()), shown.begin());
    std::string line = time;
    line += static_cast<char>(direction);
    line += ' ';
    line += HexBytes(shown);
    line.pop_back();
    if (failed) line += " FAIL";
    return line;
}

WireTrace::WireTrace(std::ostream& out, Clock clock)
    : out_(out), clock_(OrSteadyClock(std::move(clock))), openedAt_(clock_()) {}

WireTrace::WireTrace(std::unique_ptr<std::ostream> owned, Clock clock)
    : owned_(std::move(owned)),
      out_(*owned_),
      clock_(OrSteadyClock(std::move(clock))),
      openedAt_(clock_()) {}

std::shared_ptr<WireTrace> WireTrace::AppendToFile(const std::filesystem::path& path,
                                                   std::string& error, Clock clock) {
    auto file = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::app);
    if (!file->is_open()) {
        error = "cannot open " + path.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::shared_ptr<WireTrace>(new WireTrace(std::move(file), std::move(clock)));
}

void WireTrace::MarkOpen() {
    std::lock_guard lock(lock_);
    openedAt_ = clock_();
}

void WireTrace::Record(WireDirection direction, std::span<const std::uint8_t> report, bool failed) {
    std::lock_guard lock(lock_);
    out_ << FormatWireTraceLine(clock_() - openedAt_, direction, report, failed) << '\n';
    out_.flush();
    out_.clear();  // a later line may get through again, e.g. once the disk has room
}

}  // namespace quavelo
