#pragma once

#include <QObject>

class QSocketNotifier;

namespace quavelo {

// SIGTERM, SIGINT and SIGHUP (a service manager's stop, Ctrl-C, the end of the session) as a Qt
// signal on the thread that made this object, so the panel ends through its event loop as its
// window's Close ends it, instead of being killed in the middle of an exchange.
//
// The signals must be blocked in every thread of the process, or the one that takes a signal
// ends the process: Block() in main(), before any thread starts, since threads inherit the
// mask. The blocked signals then wait for a signalfd that this object watches. A signal the
// process was started with ignored (nohup, a background job of a script) stays ignored. The
// mask also passes to programs started from the panel; it starts none.
class TerminationSignals final : public QObject {
    Q_OBJECT

  public:
    // Blocks those of the three signals that are not ignored, in the calling thread.
    static void Block();

    // Watches the signals Block() blocked; without it, none.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  signals:
    // One of the signals arrived; `signalNumber` is SIGTERM, SIGINT or SIGHUP.
    void received(int signalNumber);

  private:
    void Read();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quavelo
