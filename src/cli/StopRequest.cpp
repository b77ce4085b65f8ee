#include "cli/StopRequest.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <thread>

namespace quavelo {

StopRequest::StopRequest() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        readFd_ = fds[0];
        writeFd_ = fds[1];
    }
}

StopRequest::~StopRequest() {
    if (readFd_ >= 0) ::close(readFd_);
    if (writeFd_ >= 0) ::close(writeFd_);
}

void StopRequest::Request(int signal) {
    int none = 0;
    if (!signal_.compare_exchange_strong(none, signal)) return;
    const char byte = 1;
    if (writeFd_ >= 0) {
        [[maybe_unused]] const ssize_t ignored = ::write(writeFd_, &byte, 1);
    }
}

StopRequest& RouteStopSignals() {
    // Never destroyed: the signal thread may use it until the process ends.
    static StopRequest* const stop = new StopRequest();
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&signals, signal);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        for (;;) {
            int signal = 0;
            if (sigwait(&signals, &signal) == 0) stop->Request(signal);
        }
    }).detach();
    return *stop;
}

}  // namespace quavelo
