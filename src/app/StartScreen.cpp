#include "app/StartScreen.h"

#include <QPainter>

#include "app/MainWindow.h"
#include "device/ParamRange.h"
#include "widgets/ControlId.h"
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
        caption->SetText(tr("TORVA Virtual Device"));
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

    progress_->setGeometry(374, 420, 252, 39);
    progress_->SetRange(0, 100);
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
