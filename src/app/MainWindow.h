#pragma once

#include <QWidget>

#include <cstdint>
#include <filesystem>

#include "device/DeviceParams.h"
#include "device/DeviceSession.h"
#include "device/Prompt.h"
#include "link/HidBackend.h"
#include "link/RemovalMonitor.h"
#include "link/Sleeper.h"
#include "link/TrafficLog.h"
#include "pages/PageContext.h"

class QSocketNotifier;

namespace quavelo {

class ControlPage;
class TorvaPage;
class EqualiserPage;
class Kd4Page;
class StartScreen;
class SettingsPage;
class SkinLabel;
class ImageButton;

// What the application hands the main window. Everything must outlive the window.
struct PanelEnvironment {
    HidBackend& backend;                  // real hidraw devices, or the simulated ones
    RemovalMonitor* removalMonitor;       // nullptr: removals are not followed
    Prompt& prompt;                       // the message boxes
    std::filesystem::path dataDirectory;  // preset files and the daily traffic log
};

// The panel's one window: a header with the title, the connection status and lamp and the
// Return button, over one page at a time — the start screen, the TORVA page or the KD4 page (the
// equaliser and settings pages are created with them and never shown).
//
// It owns the device session (the link, the command set the pages use, the send worker and the
// level poller of a connection) and the traffic log. It connects when the start screen's Start
// asks (ToggleConnection), disconnects on Return, on close and when the device is removed, and
// never connects by itself when a device arrives.
//
// Threads: every member function belongs to the user-interface thread. The session's events
// (read-back ended, level readings, the device's own changes) come from its threads; the window
// hands each to the user-interface thread with one queued call and drops those of an opening
// that has ended meanwhile. Nothing here waits on the device beyond the link's bounds.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdIndicator = 1007;
    static constexpr int kIdTitle = 1008;
    static constexpr int kIdStatus = 1009;
    static constexpr int kIdReturn = 1010;

    // ShowPage indexes.
    static constexpr int kPageStart = 0;
    static constexpr int kPageTorva = 1;
    static constexpr int kPageKd4 = 2;

    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 700;
    static constexpr std::uint32_t kBackground = 0xBAD2EA;  // GDI colour: the header's beige

    // Gives `params` its initial values, builds the header and the five pages (hidden) and shows
    // the start screen. `params` and everything in `environment` must
    // outlive the window.
    MainWindow(DeviceParams& params, const PanelEnvironment& environment,
               QWidget* parent = nullptr);
    // Ends the connection and the send work before the pages go.
    ~MainWindow() override;

    // Shows page `index` (kPageStart, kPageTorva, kPageKd4) and hides the others; the header's
    // lamp, status and Return button only on a model's page. The start screen sets the title to
    // "QUAVELO"; the KD4 page is refreshed before it is shown. The focus moves to the start
    // screen's chosen tile or the page's first control. Other indexes change nothing.
    void ShowPage(int index);
    // Connects to the model in `deviceModel` when not connected and the link is closed;
    // disconnects when connected; closes the link of a connect whose read-back failed or has not
    // ended yet. A device that is present but cannot be opened (refused to this user, in use by
    // another QUAVELO process) is reported with the session's explanation; a missing one is
    // not. From the opening until the connection completes or ends, the model's page is
    // disabled, so no edit meets the read-back's answers.
    void ToggleConnection();
    // The page of `model` (kPageTorva, kPageKd4).
    static int PageOf(Model model);
    // The page of `model`.
    ControlPage* PageWidget(Model model) const;
    // The title label's text ("Torva", "KD4" while a page is shown).
    void SetTitleText(const QString& text);

    StartScreen* StartScreenWidget() const { return startScreen_; }
    SettingsPage* SettingsPageWidget() const { return settingsPage_; }
    TorvaPage* TorvaPageWidget() const { return torvaPage_; }
    Kd4Page* Kd4PageWidget() const { return kd4Page_; }

    // The link is open: the session opened a device and it has not been closed since.
    bool Opened() const { return session_.IsOpen(); }
    // A level poller runs for the current connection.
    bool PollerRunning() const { return session_.Polling(); }

  signals:
    // About to search for the device of `model` (a simulated device gets ready here).
    void connecting(quavelo::Model model);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnInitDialog();
    void CreatePages();
    void LayOut();
    void OnReturn();
    void OnDeviceChange();

    void Connect();
    // A session event, on the user-interface thread.
    void OnSessionEvent(const SessionEvent& event);
    void CompleteConnection(std::uint64_t opening);
    void ShowConnected(bool connected);
    // Stops the poller, shows "Disconnect", clears `connected`, closes the link.
    void EndConnection();

    DeviceParams& params_;
    Prompt& prompt_;
    RemovalMonitor* const removalMonitor_;

    TrafficLog log_;
    RealSleeper sleeper_;
    DeviceSession session_;
    PageContext context_;
    std::uint8_t initialised_ = 0;

    // Child widgets, owned by the window.
    SkinLabel* title_ = nullptr;
    SkinLabel* status_ = nullptr;
    ImageButton* indicator_ = nullptr;
    ImageButton* return_ = nullptr;
    StartScreen* startScreen_ = nullptr;
    EqualiserPage* equaliserPage_ = nullptr;
    SettingsPage* settingsPage_ = nullptr;
    TorvaPage* torvaPage_ = nullptr;
    Kd4Page* kd4Page_ = nullptr;
    QSocketNotifier* removalNotifier_ = nullptr;
};

}  // namespace quavelo
