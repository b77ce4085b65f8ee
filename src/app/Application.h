#pragma once

#include <QApplication>

#include <chrono>

namespace quavelo {

// The application: reads the command line, starts the image layer, creates the process-wide
// objects (the parameter model, the device backend and removal monitor, the message boxes) and
// runs the main window until it is closed. With --screenshot or --measure-startup it drives the
// panel itself and exits.
class Application {
  public:
    // The program: answers --help and --version and refuses a bad command line before the
    // window system is reached (screenshots choose the offscreen platform, and without a display
    // anything else is refused with a message), then creates the QApplication and runs
    // InitInstance. `mainStarted`: the steady clock when main() began.
    static int Main(int& argc, char** argv, std::chrono::steady_clock::time_point mainStarted);

    // `mainStarted`: the steady clock when main() began, for --measure-startup.
    Application(QApplication& app, std::chrono::steady_clock::time_point mainStarted);

    // Runs the program; returns its exit status: 0 done, 1 a failure while running (a
    // screenshot or the store file could not be written), 2 a usage error.
    int InitInstance();

  private:
    QApplication& app_;
    std::chrono::steady_clock::time_point mainStarted_;
};

}  // namespace quavelo
