#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quavelo {

// quavelo-uhid-device run as a child process, the way a device is a separate thing from the
// host: started with its options, its hidraw node read from its first output line, its device's
// own controls worked through its standard input.
class DeviceProgram {
  public:
    // The program's path: $QUAVELO_UHID_DEVICE, else quavelo-uhid-device beside this program.
    static std::string Path();

    // Starts the program; Node() says whether its device appeared. Ignores SIGPIPE for the
    // whole test program.
    explicit DeviceProgram(const std::vector<std::string>& args);
    DeviceProgram(const DeviceProgram&) = delete;
    DeviceProgram& operator=(const DeviceProgram&) = delete;
    // Stops the program if it still runs.
    ~DeviceProgram();

    // The node the program printed, waiting at most `wait`; empty when it printed none (it
    // failed, or was refused its options).
    std::string Node(std::chrono::milliseconds wait);

    // Writes one line to the program's standard input (a control: "mute", "knob 3", ...).
    bool Send(const std::string& line);

    // Asks the program to end (SIGTERM) and returns its exit code.
    std::optional<int> Stop();
    // Its exit code once it has ended by itself, waiting at most `wait`; nullopt while it runs.
    std::optional<int> WaitForExit(std::chrono::milliseconds wait);

  private:
    pid_t pid_ = -1;
    int output_ = -1;  // read end of the program's stdout
    int input_ = -1;   // write end of the program's stdin
    std::string buffered_;
    std::optional<int> exitCode_;
};

}  // namespace quavelo
