#pragma once

#include <string_view>

namespace quavelo {

// Where the traffic diary goes: the link's owner logs every received report through it and a few
// KD4 commands log the reports they send. TrafficLog writes the daily file; tests record.
// Implementations must accept lines from several threads at once.
class LogSink {
  public:
    virtual ~LogSink() = default;
    // Appends one line holding `message`. No result: a line that cannot be written is dropped.
    virtual void WriteLogLine(std::string_view message) = 0;
};

}  // namespace quavelo
