// How a control page is reached without the mouse: its Tab order, and what screen readers hear of
// each control (its name, and the values of the sliders as the page's readouts show them).

#include "device/ValueDisplay.h"
#include "graph/ResponseGraph.h"
#include "pages/ControlPage.h"
#include "widgets/ControlId.h"
#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"

namespace quavelo {

namespace {

// A readout as a screen reader speaks it best, the unit apart from the number: "12dB" reads
// "12 dB".
QString Spoken(const std::string& readout) {
    QString text = QString::fromStdString(readout);
    if (text.endsWith(QLatin1String("dB"))) text.insert(text.size() - 2, QLatin1Char(' '));
    return text;
}

QString BandGainText(int position) {
    const double db = GraphGainFromBand(BandGainFromSliderPosition(position));
    return ControlPage::tr("%1 dB").arg(db, 0, 'f', 1);
}

}  // namespace

void ControlPage::SetUpKeyboardAndNames() {
    // The Tab order, section by section.
    tabOrder_ = {eq_.Graph()};
    for (int band = 0; band < kEqBands; ++band) tabOrder_.push_back(eq_.BandSlider(band));
    tabOrder_.insert(tabOrder_.end(),
                     {eq_.EqSwitch(), eq_.PeqButton(), eq_.GeqButton(), eq_.ResetButton()});
    tabOrder_.insert(tabOrder_.end(), slotButtons_.begin(), slotButtons_.end());
    tabOrder_.insert(tabOrder_.end(), {saveButton_, readButton_, limiterSwitch_, limiterList_,
                                       highPassSwitch_, highPassList_});
    const std::vector<QWidget*> own = OwnControls();
    tabOrder_.insert(tabOrder_.end(), own.begin(), own.end());
    tabOrder_.insert(tabOrder_.end(), {micGainSlider_, gain2Slider_, mixSlider_});
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    }
    // The icons at the mix slider's ends only picture them.
    micIcon_->setFocusPolicy(Qt::NoFocus);
    playbackIcon_->setFocusPolicy(Qt::NoFocus);

    // The equaliser.
    eq_.Graph()->setAccessibleName(tr("Equaliser graph"));
    for (int band = 0; band < kEqBands; ++band) {
        const auto* frequency = FindControl<SkinLabel>(this, EqEditor::kIdFirstFreqLabel + band);
        ImageSlider* slider = eq_.BandSlider(band);
        slider->setAccessibleName(tr("Equaliser band %1, %2")
                                      .arg(band + 1)
                                      .arg(frequency != nullptr ? frequency->Text() : QString()));
        slider->SetValueText(BandGainText);
    }
    eq_.EqSwitch()->setAccessibleName(tr("Equaliser"));
    eq_.PeqButton()->setAccessibleName(tr("Band sliders (PEQ)"));
    eq_.GeqButton()->setAccessibleName(tr("Response graph (GEQ)"));
    eq_.ResetButton()->setAccessibleName(tr("Reset equaliser"));
    eq_.PeqButton()->SetExclusive(true);
    eq_.GeqButton()->SetExclusive(true);

    // The preset store.
    for (int slot = 0; slot < kPresetSlots; ++slot) {
        slotButtons_[slot]->setAccessibleName(tr("Preset slot %1").arg(slot + 1));
        slotButtons_[slot]->SetExclusive(true);
    }
    saveButton_->setAccessibleName(tr("Save preset"));
    readButton_->setAccessibleName(tr("Read preset"));

    // The processing controls.
    limiterSwitch_->setAccessibleName(tr("Limiter (DRC)"));
    limiterList_->setAccessibleName(tr("Limiter level"));
    highPassSwitch_->setAccessibleName(tr("High-pass filter"));
    highPassList_->setAccessibleName(tr("High-pass corner"));
    micGainSlider_->SetValueText([](int step) { return Spoken(MicGainText(step)); });
    switch (profile_.gain2) {
        case Gain2Kind::CodecGain:
            micGainSlider_->setAccessibleName(tr("Microphone gain left"));
            gain2Slider_->setAccessibleName(tr("Microphone gain right"));
            break;
        case Gain2Kind::MonitorLevel:
            micGainSlider_->setAccessibleName(tr("Microphone gain"));
            gain2Slider_->setAccessibleName(tr("Monitor level"));
            break;
    }
    gain2Slider_->SetValueText(
        [kind = profile_.gain2](int gain2) { return Spoken(Gain2Text(kind, gain2)); });
    mixSlider_->setAccessibleName(tr("Monitor mix"));
    mixSlider_->SetValueText([](int position) {
        const MonitorCutPair cuts = MixCutsFromPosition(position);
        return tr("Playback %1 dB, microphone %2 dB").arg(-cuts.playbackCut).arg(-cuts.micCut);
    });
    micIcon_->setAccessibleName(tr("Microphone"));
    playbackIcon_->setAccessibleName(tr("Playback"));
}

void ControlPage::FocusFirstControl() {
    for (QWidget* control : tabOrder_) {
        if (control->isVisibleTo(this) && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

}  // namespace quavelo
