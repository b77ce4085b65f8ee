#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>

namespace quavelo {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The three signals as far as they are blocked in the calling thread.
sigset_t BlockedSignals() {
    sigset_t current;
    sigemptyset(&current);
    pthread_sigmask(SIG_BLOCK, nullptr, &current);
    sigset_t blocked;
    sigemptyset(&blocked);
    for (int signal : kSignals) {
        if (sigismember(&current, signal) == 1) sigaddset(&blocked, signal);
    }
    return blocked;
}

}  // namespace

void TerminationSignals::Block() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) {
        struct sigaction action {};
        if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) continue;
        sigaddset(&set, signal);
    }
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    const sigset_t blocked = BlockedSignals();
    if (sigisemptyset(&blocked) == 1) return;
    fd_ = signalfd(-1, &blocked, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) {
        // Nothing would read the blocked signals: give them back to this thread, whose default
        // action still ends the process, rather than leave only SIGKILL able to end it.
        pthread_sigmask(SIG_UNBLOCK, &blocked, nullptr);
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Read);
}

TerminationSignals::~TerminationSignals() {
    delete notifier_;
    if (fd_ >= 0) ::close(fd_);
}

void TerminationSignals::Read() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        emit received(static_cast<int>(info.ssi_signo));
    }
}

}  // namespace quavelo
