#include "app/StartScreen.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

#include "app/MainWindow.h"
#include "device/ParamRange.h"
#include "widgets/ControlId.h"
#include "widgets/FocusMark.h"
#include "widgets/ImageButton.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinArt.h"
#include "widgets/SkinColor.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

// Opaque: the caption colour is ARGB, and 0x202020 alone would draw nothing.
constexpr std::uint32_t kCaptionText = 0xFF202020;
constexpr int kCaptionPoints = 12;
// The brand panel stands right of the tiles, level with them.
constexpr QPoint kBrandAt{470, 30};
// A rule under the tiles and the panel, and the hint centred over Start.
constexpr int kRuleY = 370;
constexpr QRect kHintBox{271, 440, 400, 30};
constexpr std::uint32_t kRuleColour = 0xA5BFD8;  // GDI colour: a darker beige
constexpr std::uint32_t kHintColour = 0x40505C;  // GDI colour: a warm dark grey

ImageButton* MakeTile(QWidget* parent, int id) {
    auto* tile = new ImageButton(parent);
    SetControlId(tile, id);
    tile->SetButtonKind(ImageButton::kSwitch);
    tile->SetDrawCaption(false);
    return tile;
}

SkinLabel* MakeCaption(QWidget* parent, int id) {
    auto* caption = new SkinLabel(parent);
    SetControlId(caption, id);
    return caption;
}

}  // namespace

StartScreen::StartScreen(DeviceParams& params, MainWindow& mainWindow, QWidget* parent)
    : QWidget(parent),
      params_(params),
      mainWindow_(mainWindow),
      progress_(new LevelMeter(this)),
      start_(new ImageButton(this)),
      torvaTile_(MakeTile(this, kIdTorvaTile)),
      kd4Tile_(MakeTile(this, kIdKd4Tile)),
      thirdTile_(MakeTile(this, kIdThirdTile)),
      torvaCaption_(MakeCaption(this, kIdTorvaCaption)),
      kd4Caption_(MakeCaption(this, kIdKd4Caption)),
      thirdCaption_(MakeCaption(this, kIdThirdCaption)) {
    SetControlId(progress_, kIdProgress);
    SetControlId(start_, kIdStart);
    start_->SetButtonKind(ImageButton::kPushButton);
    for (ImageButton* tile : {torvaTile_, kd4Tile_, thirdTile_}) {
        connect(tile, &ImageButton::clicked, this, [this, tile] { OnTileClicked(tile); });
    }
    connect(start_, &ImageButton::clicked, this, [this] { OnStart(); });
    setTabOrder(torvaTile_, kd4Tile_);
    setTabOrder(kd4Tile_, thirdTile_);
    setTabOrder(thirdTile_, start_);
    for (ImageButton* control : {torvaTile_, kd4Tile_, thirdTile_, start_}) {
        control->installEventFilter(this);
    }
}

bool StartScreen::OnInitDialog() {
    torvaTile_->setGeometry(50, 30, 180, 180);
    torvaCaption_->setGeometry(50, 215, 180, 60);
    kd4Tile_->setGeometry(260, 30, 180, 180);
    kd4Caption_->setGeometry(260, 215, 180, 60);
    thirdTile_->setGeometry(470, 30, 180, 180);
    thirdCaption_->setGeometry(470, 215, 180, 60);
    start_->setGeometry(420, 500, 102, 50);

    for (SkinLabel* caption : {torvaCaption_, kd4Caption_, thirdCaption_}) {
        caption->SetFontSize(kCaptionPoints);
        caption->SetTextColor(kCaptionText);
    }

    start_->SetImages3(SkinImage::StartButton, SkinImage::StartButton, SkinImage::StartButton);
    torvaTile_->SetImages2(SkinImage::ConverterTile, SkinImage::ConverterTileSelected);
    kd4Tile_->SetImages2(SkinImage::MicrophoneTile, SkinImage::MicrophoneTileSelected);
    thirdTile_->SetImages2(SkinImage::ConverterTile, SkinImage::ConverterTileSelected);
    torvaTile_->SetChecked(1);
    kd4Tile_->SetChecked(0);
    thirdTile_->SetChecked(0);

    kd4Tile_->show();
    torvaCaption_->show();
    thirdTile_->hide();
    thirdCaption_->hide();

    start_->setText(tr("Start"));
    const QString torva = tr("TORVA Virtual Device Phone Converter");
    torvaCaption_->SetText(torva);
    kd4Caption_->SetText(tr("KD4 Virtual Device Phone Converter"));
    thirdCaption_->SetText(torva);
    // Each tile is named by its caption and marked inside its card when it has the focus.
    const std::pair<ImageButton*, SkinLabel*> tiles[] = {
        {torvaTile_, torvaCaption_}, {kd4Tile_, kd4Caption_}, {thirdTile_, thirdCaption_}};
    for (const auto& [tile, caption] : tiles) {
        tile->setAccessibleName(caption->Text());
        tile->SetExclusive(true);
        tile->SetFocusMarkShape(7, 12.0);
    }

    progress_->setGeometry(374, 420, 252, 39);
    progress_->SetRange(0, 100);
    progress_->setAccessibleName(tr("Progress"));
    progress_->SetPos(20);
    progress_->SetMeterImages(SkinImage::StartMeterFill, SkinImage::StartMeterBackground);
    progress_->hide();

    brand_ = SkinArt::Png(SkinImage::BrandPanel);
    QFont caption = font();
    caption.setPixelSize(15);
    setFont(caption);
    return true;
}

Model StartScreen::SelectedModel() const {
    return kd4Tile_->Checked() != 0 ? Model::Kd4 : Model::Torva;
}

void StartScreen::OnTileClicked(ImageButton* tile) {
    for (ImageButton* each : {torvaTile_, kd4Tile_, thirdTile_}) {
        each->SetChecked(each == tile ? 1 : 0);
        each->repaint();
    }
}

void StartScreen::FocusChoice() {
    for (ImageButton* tile : {torvaTile_, kd4Tile_, thirdTile_}) {
        if (tile->Checked() != 0) tile->setFocus(Qt::OtherFocusReason);
    }
}

void StartScreen::MoveChoice(int step) {
    std::vector<ImageButton*> shown;
    for (ImageButton* tile : {torvaTile_, kd4Tile_, thirdTile_}) {
        if (tile->isVisibleTo(this)) shown.push_back(tile);
    }
    const auto on = std::find_if(shown.begin(), shown.end(),
                                 [](const ImageButton* tile) { return tile->Checked() != 0; });
    if (on == shown.end()) return;
    const auto index = std::clamp<std::ptrdiff_t>(on - shown.begin() + step, 0,
                                                  static_cast<std::ptrdiff_t>(shown.size()) - 1);
    OnTileClicked(shown[static_cast<std::size_t>(index)]);
    FocusChoice();
}

bool StartScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    NoteKeyboardUse(static_cast<QWidget*>(watched));
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!key->isAutoRepeat()) OnStart();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Up:
            MoveChoice(-1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
            MoveChoice(1);
            return true;
        default:
            return false;
    }
}

void StartScreen::OnStart() {
    const Model model = SelectedModel();
    params_.deviceModel = model;
    mainWindow_.ShowPage(MainWindow::PageOf(model));
    const std::string_view title = ProfileOf(model).title;
    mainWindow_.SetTitleText(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    mainWindow_.ToggleConnection();
}

void StartScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(FromGdiColor(0x202020));
    painter.fillRect(rect(), FromGdiColor(MainWindow::kBackground));
    if (!brand_.isNull()) DrawSkinArt(painter, kBrandAt, brand_);
    painter.setPen(QPen(FromGdiColor(kRuleColour), 1));
    painter.drawLine(50, kRuleY, width() - 30, kRuleY);
    QFont hint(QStringLiteral("Microsoft MHei"));
    hint.setPixelSize(15);
    painter.setFont(hint);
    painter.setPen(FromGdiColor(kHintColour));
    painter.drawText(kHintBox, Qt::AlignCenter, tr("Choose your converter, then press Start"));
}

}  // namespace quavelo
