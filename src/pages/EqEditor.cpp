#include "pages/EqEditor.h"

#include <QCoreApplication>
#include <QWidget>

#include "graph/ResponseGraph.h"
#include "pages/PageKit.h"
#include "widgets/ControlId.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

constexpr double kGainLimitDb = 15.0;

constexpr const char* kBandFrequencies[kEqBands] = {"100Hz", "250Hz", "1kHz", "4kHz", "10kHz"};

}  // namespace

EqEditor::EqEditor(QWidget* page, DeviceParams& params)
    : params_(params), graph_(new ResponseGraph(page)) {
    SetControlId(graph_, kIdGraph);
    graph_->setGeometry(10, 5, 530, 300);

    strips_[0] = MakePictureLabel(page, kIdFirstStrip, {20, 10, 30, 280}, SkinImage::BandScale);
    for (int k = 1; k < kStrips; ++k) {
        strips_[k] = MakePictureLabel(page, kIdFirstStrip + k, {50 + 100 * (k - 1), 10, 30, 280},
                                      SkinImage::BandTicks);
    }
    for (int k = 0; k < kEqBands; ++k) {
        bandSliders_[k] =
            MakeSlider(page, kIdFirstBandSlider + k, {80 + 100 * k, 10}, kBandSliderLook);
        freqLabels_[k] = MakeLabel(page, kIdFirstFreqLabel + k, {80 + 100 * k, 290, 60, 20},
                                   LabelLook::kFrequency, QString::fromUtf8(kBandFrequencies[k]));
    }

    using enum SkinImage;
    eqSwitch_ = MakeSwitch(page, kIdEqSwitch, {570, 10, 65, 30}, Button, ButtonLit);
    peq_ = MakeSwitch(page, kIdPeq, {570, 50, 65, 30}, Button, ButtonLit);
    geq_ = MakeSwitch(page, kIdGeq, {570, 90, 65, 30}, Button, ButtonLit);
    reset_ = MakePushButton(page, kIdReset, {570, 130, 65, 30}, Button, ButtonLit, ButtonLit);

    const QRect readoutPlaces[kReadoutLabels] = {
        {550, 180, 100, 20}, {550, 210, 100, 20}, {540, 240, 120, 20}, {550, 270, 100, 20}};
    const char* readoutTexts[kReadoutLabels] = {"BAND:1", "Q:1", "FREQ:1", "Gain:1"};
    for (int i = 0; i < kReadoutLabels; ++i) {
        readout_[i] = MakeLabel(page, kIdReadoutBand + i, readoutPlaces[i], LabelLook::kReadout,
                                QString::fromUtf8(readoutTexts[i]));
    }
}

void EqEditor::SetUpGraph() {
    graph_->SetBandCount(kEqBands);
    for (int band = 0; band < kEqBands; ++band) graph_->SetHandleKind(band, kHandleOrdinary);
    graph_->SetYMax(kGainLimitDb);
    graph_->SetYMin(-kGainLimitDb);
    graph_->SetMode(ResponseGraph::kModeResponse);
    graph_->SetShowAxes(true);
    graph_->InitPlot();
    for (int band = 0; band < kEqBands; ++band) {
        graph_->SetGainY(band, GraphGainFromBand(params_.graphBands[band].gain));
        graph_->SetFrequencyX(band, params_.graphBands[band].freq);
    }
    graph_->hide();
    ShowModeButtons(0);
}

void EqEditor::SetCaptions() {
    eqSwitch_->setText(QCoreApplication::translate("quavelo::EqEditor", "EQ"));
    peq_->setText(QCoreApplication::translate("quavelo::EqEditor", "PEQ"));
    geq_->setText(QCoreApplication::translate("quavelo::EqEditor", "GEQ"));
    reset_->setText(QCoreApplication::translate("quavelo::EqEditor", "Reset"));
}

void EqEditor::Refresh() {
    eqSwitch_->SetChecked(params_.eqEnabled);
    const int mode = params_.eqMode == 1 ? 1 : 0;
    ShowModeButtons(mode);
    ShowView(mode);
    ShowBand0(mode, GainFormat::TenthsDb);
    EnableEditor(params_.eqEnabled == 1);
    for (int k = 0; k < kEqBands; ++k) {
        bandSliders_[k]->SetPos(BandSliderPosition(params_.sliderBands[k].gain));
    }
    for (int k = 0; k < kEqBands; ++k) {
        graph_->SetGainY(k, GraphGainFromBand(params_.graphBands[k].gain));
        graph_->SetFrequencyX(k, params_.graphBands[k].freq);
    }
    graph_->RefreshHandles();
    LoadGraphPoints();
}

void EqEditor::ShowView(int mode) {
    const bool graph = mode == 1;
    graph_->setVisible(graph);
    for (SkinLabel* strip : strips_) strip->setVisible(!graph);
    for (SkinLabel* label : freqLabels_) label->setVisible(!graph);
    for (ImageSlider* slider : bandSliders_) slider->setVisible(!graph);
}

void EqEditor::EnableEditor(bool enable) {
    if (params_.eqMode == 1) {
        graph_->setEnabled(enable);
    } else {
        for (ImageSlider* slider : bandSliders_) slider->setEnabled(enable);
    }
}

void EqEditor::ShowReadout(int band, const EqBandValue& value, GainFormat format) {
    const BandReadout text = MakeBandReadout(band, value, format);
    readout_[0]->SetText(QString::fromStdString(text.band));
    readout_[1]->SetText(QString::fromStdString(text.q));
    readout_[2]->SetText(QString::fromStdString(text.freq));
    readout_[3]->SetText(QString::fromStdString(text.gain));
}

void EqEditor::LoadGraphPoints() {
    for (int k = 0; k < kEqBands; ++k) {
        const EqBandValue band = params_.graphBands[k].Value();
        PlotBandInput input;
        input.gain = GraphGainFromBand(band.gain);
        input.q = band.q / 10.0;
        input.frequency = band.freq;
        input.shape = static_cast<std::uint32_t>(band.filterType);
        input.kind = static_cast<std::uint32_t>(graph_->HandleKind(k));
        input.filterEnabled = 0;
        graph_->SetBandInput(k, input);
    }
    graph_->SetYMax(kGainLimitDb);
    graph_->SetYMin(-kGainLimitDb);
    graph_->update();
}

void EqEditor::TakeBandSlider(int band) {
    EqBand& target = params_.sliderBands[band];
    target.gain = BandGainFromSliderPosition(bandSliders_[band]->GetPos());
    ShowReadout(band, target.Value(), GainFormat::WholeDb);
}

bool EqEditor::TakeGraphPoint(int band) {
    if (band < 0 || band >= kEqBands) return false;
    EqBand& target = params_.graphBands[band];
    target.freq = BandFreqFromGraph(graph_->FrequencyX(band));
    target.gain = BandGainFromGraph(graph_->GainY(band));
    ShowReadout(band, target.Value(), GainFormat::WholeDb);
    LoadGraphPoints();
    return true;
}

bool EqEditor::TakeGraphDoubleClick(int band) {
    if (band < 0 || band >= kEqBands) return false;
    EqBand& target = params_.graphBands[band];
    target.freq = BandFreqFromGraph(graph_->FrequencyX(band));
    graph_->SetGainY(band, 0.0);
    target.gain = kDefaultBandGain;
    graph_->RefreshHandles();
    ShowReadout(band, target.Value(), GainFormat::TenthsDb);
    LoadGraphPoints();
    return true;
}

bool EqEditor::ChooseView(int mode) {
    const ImageButton* button = mode == 1 ? geq_ : peq_;
    if (button->Checked() == 1) return false;
    ShowModeButtons(mode);
    params_.eqMode = mode;
    ShowView(mode);
    EnableEditor(params_.eqEnabled == 1);
    ShowBand0(mode, GainFormat::WholeDb);
    return true;
}

void EqEditor::ToggleEqSwitch() {
    const int on = eqSwitch_->Checked() == 1 ? 0 : 1;
    eqSwitch_->SetChecked(on);
    params_.eqEnabled = on;
    EnableEditor(on == 1);
}

void EqEditor::ShowModeButtons(int mode) {
    peq_->SetChecked(mode == 1 ? 0 : 1);
    geq_->SetChecked(mode == 1 ? 1 : 0);
}

void EqEditor::ShowBand0(int mode, GainFormat format) {
    const auto& bands = mode == 1 ? params_.graphBands : params_.sliderBands;
    ShowReadout(0, bands[0].Value(), format);
}

}  // namespace quavelo
