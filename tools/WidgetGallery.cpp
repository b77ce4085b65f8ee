// widget-gallery OUTDIR: renders the widget kit in each of its states, as the pages use it, to
// buttons.png, sliders.png, labels.png, dropdowns.png, meters.png, start.png and locked.png, and
// the equaliser graph to graph.png (response curves) and faders.png.

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

#include "graph/ResponseGraph.h"

#include "widgets/DropDownButton.h"
#include "widgets/DropDownList.h"
#include "widgets/DropDownPopup.h"
#include "widgets/FontSubstitutions.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace {

using namespace quavelo;

constexpr std::uint32_t kWhite = 0xFFFFFFFF;

// A sheet in the colour the widgets sit on, with a caption above each group.
class Sheet : public QWidget {
  public:
    Sheet(int width, int height, QColor background) : background_(background) {
        resize(width, height);
        QFont font = this->font();
        font.setPixelSize(13);
        setFont(font);
    }

    void Caption(int x, int y, const QString& text) {
        auto* label = new SkinLabel(this);
        label->setGeometry(x, y, 400, 18);
        label->SetFontSize(8);
        label->SetAlignment(SkinLabel::kNear);
        label->SetTextColor(background_.lightness() > 128 ? 0xFF202020 : 0xFF9AA0A8);
        label->SetText(text);
    }

    bool Save(const QString& path) {
        QImage image(size(), QImage::Format_ARGB32_Premultiplied);
        render(&image);
        return image.save(path);
    }

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), background_); }

  private:
    QColor background_;
};

void SendEnter(QWidget* widget) {
    const QPointF at(2, 2);
    QEnterEvent event(at, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
}

void SendPress(QWidget* widget, QPoint at) {
    QMouseEvent event(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

ImageButton* Button(Sheet& sheet, QRect place, int kind, const QString& text) {
    auto* button = new ImageButton(&sheet);
    button->setGeometry(place);
    button->SetButtonKind(kind);
    button->setText(text);
    return button;
}

bool Buttons(const QString& dir) {
    Sheet sheet(760, 330, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 10, QStringLiteral("Switches 144/145: off, on, off hovered, on pressed"));
    for (int i = 0; i < 4; ++i) {
        ImageButton* sw = Button(sheet, {20 + 70 * i, 35, 50, 28}, ImageButton::kSwitch, {});
        sw->SetImages2(SkinImage::SwitchOff, SkinImage::SwitchOn);
        sw->SetChecked(i % 2);
        if (i == 2) SendEnter(sw);
        if (i == 3) sw->setDown(true);
    }
    sheet.Caption(320, 10, QStringLiteral("EQ / PEQ / GEQ 191/192, Reset: idle, hovered, pressed"));
    const QStringList names{"EQ", "PEQ", "GEQ"};
    for (int i = 0; i < 3; ++i) {
        ImageButton* b = Button(sheet, {320 + 75 * i, 35, 65, 30}, ImageButton::kSwitch, names[i]);
        b->SetImages2(SkinImage::Button, SkinImage::ButtonLit);
        b->SetChecked(i == 1);
    }
    for (int i = 0; i < 3; ++i) {
        ImageButton* b =
            Button(sheet, {320 + 75 * i, 75, 65, 30}, ImageButton::kPushButton, "Reset");
        b->SetImages3(SkinImage::Button, SkinImage::ButtonLit, SkinImage::ButtonLit);
        if (i == 1) SendEnter(b);
        if (i == 2) b->setDown(true);
    }
    sheet.Caption(20, 80, QStringLiteral("Preset slots 180/181, slot 3 selected"));
    for (int k = 0; k < 10; ++k) {
        ImageButton* slot = Button(sheet, {20 + (k / 5) * 90, 105 + 25 * (k % 5), 80, 25},
                                   ImageButton::kSwitch, QString::number(k + 1));
        slot->SetImages2(SkinImage::SlotButton, SkinImage::SlotButtonSelected);
        slot->SetChecked(k == 2);
    }
    sheet.Caption(320, 120, QStringLiteral("MIC 172, Playback 171, lock 197/198, mute 199/200"));
    ImageButton* mic = Button(sheet, {320, 145, 25, 35}, ImageButton::kPushButton, {});
    mic->SetImages3(SkinImage::MicIcon, SkinImage::MicIcon, SkinImage::MicIcon);
    ImageButton* playback = Button(sheet, {370, 148, 40, 30}, ImageButton::kPushButton, {});
    playback->SetImages3(SkinImage::PlaybackIcon, SkinImage::PlaybackIcon, SkinImage::PlaybackIcon);
    for (int i = 0; i < 4; ++i) {
        ImageButton* status = Button(sheet, {440 + 34 * i, 150, 24, 24}, ImageButton::kSwitch, {});
        status->SetImages2(i < 2 ? SkinImage::PadlockOpen : SkinImage::MicOpen,
                           i < 2 ? SkinImage::PadlockClosed : SkinImage::MicMuted);
        status->SetChecked(i % 2);
    }
    sheet.Caption(20, 245, QStringLiteral("Lamp 141/142 on the window header"));
    auto* header = new QWidget(&sheet);
    header->setGeometry(20, 270, 260, 46);
    header->setAutoFillBackground(true);
    header->setPalette(QPalette(QColor(0xEA, 0xD2, 0xBA)));
    for (int i = 0; i < 2; ++i) {
        auto* lamp = new ImageButton(header);
        lamp->setGeometry(20 + 60 * i, 10, 44, 26);
        lamp->SetImages2(SkinImage::LampOff, SkinImage::LampOn);
        lamp->SetChecked(i);
    }
    auto* back = new ImageButton(header);
    back->setGeometry(150, 8, 60, 30);
    back->SetButtonKind(ImageButton::kPushButton);
    back->SetImages3(SkinImage::Button, SkinImage::ButtonLit, SkinImage::ButtonLit);
    back->setText(QStringLiteral("Return"));
    return sheet.Save(dir + "/buttons.png");
}

ImageSlider* Slider(Sheet& sheet, QPoint at, SkinImage fill, SkinImage channel, int max, int pos) {
    auto* slider = new ImageSlider(&sheet);
    slider->move(at);
    slider->SetRange(0, max);
    slider->SetMargins(2, 2, 8, 0);
    slider->SetChannelImages(fill, channel);
    slider->SetThumbImages(SkinImage::HorizontalThumb, SkinImage::HorizontalThumb);
    slider->SetPos(pos);
    return slider;
}

bool Sliders(const QString& dir) {
    Sheet sheet(1000, 430, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 10,
                  QStringLiteral("Gain 193/173 with thumb 153: 0, 20, 47 (dragging), disabled"));
    Slider(sheet, {20, 30}, SkinImage::GainSliderFill, SkinImage::GainSliderChannel, 47, 0);
    Slider(sheet, {20, 90}, SkinImage::GainSliderFill, SkinImage::GainSliderChannel, 47, 20);
    ImageSlider* dragged =
        Slider(sheet, {20, 150}, SkinImage::GainSliderFill, SkinImage::GainSliderChannel, 47, 47);
    SendPress(dragged, {286, 30});
    Slider(sheet, {20, 210}, SkinImage::GainSliderFill, SkinImage::GainSliderChannel, 47, 30)
        ->setEnabled(false);
    sheet.Caption(20, 340, QStringLiteral("Mix 187/189: 0, 191, 382"));
    Slider(sheet, {20, 360}, SkinImage::MixSliderFill, SkinImage::MixSliderChannel, 382, 0);
    Slider(sheet, {340, 360}, SkinImage::MixSliderFill, SkinImage::MixSliderChannel, 382, 191);
    Slider(sheet, {660, 360}, SkinImage::MixSliderFill, SkinImage::MixSliderChannel, 382, 382);

    sheet.Caption(360, 10, QStringLiteral("Band sliders 188/186, thumb 152, scales 169 and 146"));
    auto* scale = new SkinLabel(&sheet);
    scale->setGeometry(360, 40, 30, 280);
    scale->SetOverlayImage(SkinImage::BandScale);
    scale->SetOverlayOn(true);
    const int positions[] = {0, 150, 300, 75};
    for (int k = 0; k < 4; ++k) {
        auto* ticks = new SkinLabel(&sheet);
        ticks->setGeometry(390 + 100 * k, 40, 30, 280);
        ticks->SetOverlayImage(SkinImage::BandTicks);
        ticks->SetOverlayOn(true);
        auto* band = new ImageSlider(&sheet);
        band->move(420 + 100 * k, 40);
        band->SetVertical(true);
        band->SetRange(0, 300);
        band->SetMargins(4, 0, 2, 2);
        band->SetChannelImages(SkinImage::BandSliderFill, SkinImage::BandSliderChannel);
        band->SetThumbImages(SkinImage::VerticalThumb, SkinImage::VerticalThumb);
        band->SetPos(positions[k]);
        if (k == 3) band->setEnabled(false);
    }
    return sheet.Save(dir + "/sliders.png");
}

SkinLabel* Label(Sheet& sheet, QRect place, const QString& text) {
    auto* label = new SkinLabel(&sheet);
    label->setGeometry(place);
    label->SetFontSize(12);
    label->SetAlignment(SkinLabel::kNear);
    label->SetTextColor(kWhite);
    label->SetTransparent(false);
    label->SetBackgroundColor(0x202020);
    label->SetText(text);
    return label;
}

bool Labels(const QString& dir) {
    Sheet sheet(560, 200, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 10,
                  QStringLiteral("Section labels, read-outs, framed caption, numeric mode"));
    Label(sheet, {20, 40, 80, 20}, QStringLiteral("DRC"));
    Label(sheet, {120, 40, 80, 20}, QStringLiteral("HighPass"));
    Label(sheet, {220, 40, 80, 20}, QStringLiteral("MIC Gain"));
    Label(sheet, {320, 40, 80, 20}, QStringLiteral("35dB"));
    Label(sheet, {20, 75, 150, 20}, QStringLiteral("回放0:话筒-12"));
    Label(sheet, {200, 75, 120, 20}, QStringLiteral("限幅器 高通滤波"));
    SkinLabel* preset = Label(sheet, {350, 70, 80, 30}, QStringLiteral("Preset"));
    preset->SetAlignment(SkinLabel::kCentre);
    preset->SetFrame(true);
    const double values[] = {25, 30, 150, 0};
    for (int i = 0; i < 4; ++i) {
        SkinLabel* number = Label(sheet, {20 + 110 * i, 120, 100, 20}, {});
        number->SetPlainText(false);
        number->SetValue(values[i]);
        number->SetDivisor(10);
        number->SetOffset(i == 2 ? 15 : 0);
        number->SetSuffix(QStringLiteral("dB"));
        number->SetOffMode(i == 3 ? 1 : 0);
        number->SetOffValues(0, 10);
    }
    auto* centred = new SkinLabel(&sheet);
    centred->setGeometry(20, 160, 60, 20);
    centred->SetFontSize(12);
    centred->SetTextColor(kWhite);
    centred->SetText(QStringLiteral("100Hz"));
    auto* readout = new SkinLabel(&sheet);
    readout->setGeometry(100, 160, 100, 20);
    readout->SetFontSize(12);
    readout->SetAlignment(SkinLabel::kNear);
    readout->SetTextColor(kWhite);
    readout->SetText(QStringLiteral("Gain:-0.5"));
    return sheet.Save(dir + "/labels.png");
}

DropDownButton* Combo(Sheet& sheet, QPoint at, const QStringList& items, int selected) {
    auto* combo = new DropDownButton(&sheet);
    combo->move(at);
    combo->SetComboBitmaps();
    combo->SetDisabledBitmap(SkinImage::DropDownFace);
    combo->CreateDropDown(1020);
    for (const QString& item : items) combo->List()->AddString(item);
    combo->SetCurSel(selected);
    return combo;
}

bool DropDowns(const QString& dir) {
    Sheet sheet(420, 330, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 10, QStringLiteral("Drop-down 147/148: normal, hovered, disabled look"));
    Combo(sheet, {20, 35}, {"LOW", "MID", "HIGH"}, 1);
    SendEnter(Combo(sheet, {110, 35}, {"75Hz", "150Hz"}, 1));
    DropDownButton* disabled = Combo(sheet, {200, 35}, {"LOW", "MID", "HIGH"}, 0);
    disabled->SetDisabledLook(true);
    disabled->setEnabled(false);

    // The open lists, drawn where they open below their buttons.
    sheet.Caption(20, 80, QStringLiteral("Open lists: three items; a heading and a scroll bar"));
    DropDownButton* open = Combo(sheet, {20, 105}, {"LOW", "MID", "HIGH"}, 2);
    DropDownButton* longer = Combo(sheet, {200, 105}, {}, 0);
    longer->List()->AddHeading(QStringLiteral("Corner"));
    for (int i = 1; i <= 7; ++i) longer->List()->AddString(QStringLiteral("%1Hz").arg(75 * i));
    longer->SetCurSel(2);
    if (!sheet.Save(dir + "/dropdowns.png")) return false;

    QImage image(dir + "/dropdowns.png");
    QPainter p(&image);
    for (DropDownButton* combo : {open, longer}) {
        DropDownPopup* popup = combo->Popup();
        const int count = combo->List()->count();
        popup->resize(
            78, std::min(DropDownButton::kMaxListHeight, DropDownList::kItemHeight * count) + 1);
        popup->show();
        p.drawImage(combo->geometry().bottomLeft() + QPoint(0, 0), popup->grab().toImage());
        popup->hide();
    }
    p.end();
    return image.save(dir + "/dropdowns.png");
}

bool Meters(const QString& dir) {
    Sheet sheet(560, 230, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 10,
                  QStringLiteral("Meters 168/167 at 200 x 10 and 250 x 20: 0, 37, 75, 100"));
    const int levels[] = {0, 37, 75, 100};
    for (int i = 0; i < 4; ++i) {
        for (int wide = 0; wide < 2; ++wide) {
            auto* meter = new LevelMeter(&sheet);
            meter->setGeometry(20 + 270 * wide, 35 + 28 * i, wide ? 250 : 200, wide ? 20 : 10);
            meter->SetMeterImages(SkinImage::MeterFill, SkinImage::MeterBackground);
            meter->SetPos(levels[i]);
        }
    }
    sheet.Caption(20, 150, QStringLiteral("Start screen bar 133/132 at 20"));
    auto* bar = new LevelMeter(&sheet);
    bar->setGeometry(20, 175, 252, 39);
    bar->SetMeterImages(SkinImage::StartMeterFill, SkinImage::StartMeterBackground);
    bar->SetPos(20);
    return sheet.Save(dir + "/meters.png");
}

bool Start(const QString& dir) {
    Sheet sheet(1000, 600, QColor(0xEA, 0xD2, 0xBA));
    const SkinImage tiles[][2] = {{SkinImage::ConverterTile, SkinImage::ConverterTileSelected},
                                  {SkinImage::MicrophoneTile, SkinImage::MicrophoneTileSelected}};
    const QString captions[] = {QStringLiteral("TORVA Virtual Device Phone Converter"),
                                QStringLiteral("KD4 Virtual Device Phone Converter")};
    for (int i = 0; i < 2; ++i) {
        ImageButton* tile = Button(sheet, {50 + 210 * i, 30, 180, 180}, ImageButton::kSwitch, {});
        tile->SetImages2(tiles[i][0], tiles[i][1]);
        tile->SetChecked(i == 0);
        auto* caption = new SkinLabel(&sheet);
        caption->setGeometry(50 + 210 * i, 215, 180, 60);
        caption->SetFontSize(12);
        caption->SetTextColor(0xFF202020);
        caption->SetText(captions[i]);
    }
    ImageButton* start = Button(sheet, {420, 500, 102, 50}, ImageButton::kPushButton, "Start");
    start->SetImages3(SkinImage::StartButton, SkinImage::StartButton, SkinImage::StartButton);
    auto* brand = new SkinLabel(&sheet);
    brand->setGeometry(480, 30, 500, 300);
    brand->SetOverlayImage(SkinImage::BrandPanel);
    brand->SetOverlayOn(true);
    return sheet.Save(dir + "/start.png");
}

bool Locked(const QString& dir) {
    Sheet sheet(1000, 650, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 330, QStringLiteral("A page under the lock overlay 201"));
    Slider(sheet, {90, 460}, SkinImage::GainSliderFill, SkinImage::GainSliderChannel, 47, 20);
    Slider(sheet, {590, 490}, SkinImage::MixSliderFill, SkinImage::MixSliderChannel, 382, 191);
    for (int i = 0; i < 2; ++i) {
        ImageButton* sw = Button(sheet, {20 + 250 * i, 375, 50, 28}, ImageButton::kSwitch, {});
        sw->SetImages2(SkinImage::SwitchOff, SkinImage::SwitchOn);
        sw->SetChecked(i);
    }
    auto* overlay = new SkinLabel(&sheet);
    overlay->setGeometry(sheet.rect());
    overlay->SetOverlayImage(SkinImage::LockOverlay);
    overlay->SetOverlayOn(true);
    return sheet.Save(dir + "/locked.png");
}

struct GalleryBand {
    double frequency;
    double gain;
    double q;
    std::uint32_t kind = kKindEqBand;
};

// A response graph set up as the control pages set theirs up, with one handle per band.
ResponseGraph* MakeResponseGraph(Sheet& sheet, QRect place, const std::vector<GalleryBand>& bands) {
    auto* graph = new ResponseGraph(&sheet);
    graph->setGeometry(place);
    graph->SetBandCount(static_cast<int>(bands.size()));
    graph->SetYMax(15.0);
    graph->SetYMin(-15.0);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const GalleryBand& b = bands[i];
        const int band = static_cast<int>(i);
        const bool pass = b.kind != kKindEqBand;
        graph->SetHandleKind(band, static_cast<int>(b.kind));
        graph->SetFrequencyX(band, b.frequency);
        graph->SetGainY(band, pass ? 0.0 : b.gain);
        graph->SetBandInput(band,
                            {b.gain, b.q, b.frequency, kShapePeaking, b.kind, pass ? 1U : 0U});
    }
    graph->InitPlot();
    graph->RefreshHandles();
    return graph;
}

void Click(QWidget* widget, QPoint at) {
    SendPress(widget, at);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

bool Graph(const QString& dir) {
    Sheet sheet(1100, 700, QColor(0x20, 0x20, 0x20));
    sheet.Caption(10, 8, QStringLiteral("Response graph 530 x 300: flat bands"));
    MakeResponseGraph(sheet, {10, 30, 530, 300},
                      {{100, 0, 2}, {250, 0, 2}, {1000, 0, 2}, {4000, 0, 2}, {10000, 0, 2}});
    sheet.Caption(560, 8, QStringLiteral("A boost, a cut and band 3 selected"));
    ResponseGraph* edited = MakeResponseGraph(
        sheet, {560, 30, 530, 300},
        {{80, 9, 1.4}, {250, -3.5, 2}, {1200, -11, 3}, {4000, 4, 1}, {12000, 6.5, 0.8}});
    sheet.Caption(10, 358, QStringLiteral("Beyond the range: +14 and -20 dB, a narrow band"));
    MakeResponseGraph(
        sheet, {10, 380, 530, 300},
        {{60, 14, 0.7}, {400, 6, 8}, {2000, -20, 1.5}, {8000, 12, 2}, {16000, -9, 4}});
    sheet.Caption(560, 358, QStringLiteral("High-pass H and low-pass L points with bands"));
    MakeResponseGraph(
        sheet, {560, 380, 530, 300},
        {{60, 0, 4, kKindHighPass}, {300, 5, 1.2}, {3000, -6, 2}, {15000, 0, 2, kKindLowPass}});

    // Handles exist from the first paint; a press selects one as the user would.
    sheet.grab();
    const HandleBox box = edited->Handles()[2].box;
    Click(edited, {box.CentreX(), box.CentreY()});
    return sheet.Save(dir + "/graph.png");
}

bool Faders(const QString& dir) {
    Sheet sheet(640, 330, QColor(0x20, 0x20, 0x20));
    sheet.Caption(20, 8, QStringLiteral("Fader mode: six bands, x 0..7, values -15 .. +15 dB"));
    auto* graph = new ResponseGraph(&sheet);
    graph->setGeometry(20, 30, 600, 280);
    graph->SetBandCount(6);
    graph->SetXMin(0.0);
    graph->SetXMax(7.0);
    graph->SetMode(ResponseGraph::kModeFaders);
    graph->SetYMax(15.0);
    graph->SetYMin(-15.0);
    const double gains[] = {0, 6, -4.5, 15, -15, 9};
    for (int band = 0; band < 6; ++band) {
        graph->SetFrequencyX(band, band + 1.0);
        graph->SetGainY(band, gains[band]);
    }
    graph->InitPlot();
    graph->RefreshHandles();
    return sheet.Save(dir + "/faders.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: widget-gallery OUTDIR\n");
        return 2;
    }
    InstallFontSubstitutions();
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "widget-gallery: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool ok = Buttons(dir) && Sliders(dir) && Labels(dir) && DropDowns(dir) && Meters(dir) &&
                    Start(dir) && Locked(dir) && Graph(dir) && Faders(dir);
    if (!ok) {
        std::fprintf(stderr, "widget-gallery: cannot write into %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", qPrintable(QDir(dir).absolutePath()));
    return 0;
}
