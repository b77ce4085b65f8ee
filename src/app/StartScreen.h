#pragma once

#include <QWidget>

#include "device/DeviceParams.h"
#include "widgets/SkinArt.h"

namespace quavelo {

class LevelMeter;
class SkinLabel;
class MainWindow;
class ImageButton;

// The start screen, page 0 of the main window: a tile per model with its caption, and Start.
// The tiles behave as radio buttons, exactly one on (TORVA at start-up). Start stores the chosen
// model in `deviceModel`, shows the model's page titled "Torva" or "KD4" and asks the main window
// to connect. Returning to the screen keeps the last choice.
//
// Keys: Enter anywhere on the screen presses Start, its default button; the arrow keys move the
// choice, and the focus with it, to the tile before or after; Tab goes from the tiles to Start.
//
// The owner constructs the screen (controls only) and calls OnInitDialog once.
class StartScreen : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdStart = 1000;
    static constexpr int kIdTorvaTile = 1001;
    static constexpr int kIdProgress = 1002;
    static constexpr int kIdKd4Tile = 1003;
    static constexpr int kIdThirdTile = 1004;
    static constexpr int kIdTorvaCaption = 1006;
    static constexpr int kIdKd4Caption = 1007;
    static constexpr int kIdThirdCaption = 1008;

    // `params` and `mainWindow` must outlive the screen.
    StartScreen(DeviceParams& params, MainWindow& mainWindow, QWidget* parent = nullptr);

    // Places and dresses the controls: TORVA tile on, third tile and caption and the progress
    // bar hidden. Returns true.
    bool OnInitDialog();

    // The model whose tile is on.
    Model SelectedModel() const;
    // Gives the focus to the tile that is on.
    void FocusChoice();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnTileClicked(ImageButton* tile);
    // Turns on the shown tile `step` places after (or before) the one on, and focuses it.
    void MoveChoice(int step);
    void OnStart();

    DeviceParams& params_;
    MainWindow& mainWindow_;
    SkinArt brand_;

    // Child widgets, owned by the screen.
    LevelMeter* progress_;
    ImageButton* start_;
    ImageButton* torvaTile_;
    ImageButton* kd4Tile_;
    ImageButton* thirdTile_;
    SkinLabel* torvaCaption_;
    SkinLabel* kd4Caption_;
    SkinLabel* thirdCaption_;
};

}  // namespace quavelo
