#include "vm/DeviceProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

extern char** environ;

namespace quavelo {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

std::string DeviceProgram::Path() {
    if (const char* path = getenv("QUAVELO_UHID_DEVICE"); path && *path) {
        return path;
    }
    std::error_code ec;
    return (std::filesystem::read_symlink("/proc/self/exe", ec).parent_path() /
            "quavelo-uhid-device")
        .string();
}

DeviceProgram::DeviceProgram(const std::vector<std::string>& args) {
    // A program that has ended must fail Send, not end the test program.
    signal(SIGPIPE, SIG_IGN);
    int pipeFds[2];
    int inputFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(inputFds, O_CLOEXEC) != 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return;
    }
    const std::string path = Path();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, inputFds[0], STDIN_FILENO);
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    close(inputFds[0]);
    output_ = pipeFds[0];
    input_ = inputFds[1];
}

DeviceProgram::~DeviceProgram() {
    Stop();
    if (output_ >= 0) {
        close(output_);
    }
    if (input_ >= 0) {
        close(input_);
    }
}

bool DeviceProgram::Send(const std::string& line) {
    const std::string text = line + "\n";
    return input_ >= 0 &&
           write(input_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::string DeviceProgram::Node(std::chrono::milliseconds wait) {
    const Clock::time_point giveUp = Clock::now() + wait;
    for (;;) {
        if (const std::size_t end = buffered_.find('\n'); end != std::string::npos) {
            return buffered_.substr(0, end);
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(giveUp - Clock::now());
        pollfd fd{output_, POLLIN, 0};
        if (output_ < 0 || left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) != 1) {
            return {};
        }
        char chunk[256];
        const ssize_t got = read(output_, chunk, sizeof chunk);
        if (got <= 0) {
            return {};
        }
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
}

std::optional<int> DeviceProgram::WaitForExit(std::chrono::milliseconds wait) {
    const Clock::time_point giveUp = Clock::now() + wait;
    while (!exitCode_ && pid_ > 0) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (done < 0 || Clock::now() >= giveUp) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return exitCode_;
}

std::optional<int> DeviceProgram::Stop() {
    if (pid_ > 0 && !WaitForExit(std::chrono::milliseconds(0))) {
        kill(pid_, SIGTERM);
        if (!WaitForExit(std::chrono::milliseconds(3000))) {
            kill(pid_, SIGKILL);
            WaitForExit(std::chrono::milliseconds(3000));
        }
    }
    return exitCode_;
}

}  // namespace quavelo
