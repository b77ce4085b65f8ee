#pragma once

#include <array>

#include "device/DeviceParams.h"
#include "device/ValueDisplay.h"

class QWidget;

namespace quavelo {

class ImageSlider;
class ResponseGraph;
class SkinLabel;
class ImageButton;

// The equaliser section both control pages share, in the upper left of the page: the slider view
// (five band sliders over their scales, editing `sliderBands`, mode button "PEQ") and the graph
// view (the response graph with five handles, editing `graphBands`, mode button "GEQ"), the EQ
// switch, Reset, and the band readout of the band last touched.
//
// The editor builds the section's controls on the page (which owns them), keeps them in line
// with the model, and carries out every edit on the model and the controls. What an edit sends
// to the device, and when, is the page's business: the page connects the controls' signals,
// calls the editor's operation and then sends. The page never changes a band's q or filterType.
// User-interface thread only.
class EqEditor {
  public:
    static constexpr int kIdGraph = 1022;
    static constexpr int kIdFirstStrip = 1009;       // 1009 the dB scale, 1010..1014 tick strips
    static constexpr int kIdFirstBandSlider = 1023;  // 1023..1027, band 0..4
    static constexpr int kIdFirstFreqLabel = 1035;   // 1035..1039
    static constexpr int kIdReadoutBand = 1040;
    static constexpr int kIdReadoutQ = 1041;
    static constexpr int kIdReadoutFreq = 1042;
    static constexpr int kIdReadoutGain = 1043;
    static constexpr int kIdPeq = 1030;
    static constexpr int kIdGeq = 1031;
    static constexpr int kIdReset = 1032;
    static constexpr int kIdEqSwitch = 1095;
    static constexpr int kStrips = 6;
    // The band readout's four labels: band number, Q, frequency, gain.
    static constexpr int kReadoutLabels = 4;

    // Creates the section's controls on `page` at their places, with their looks and first texts
    // ("BAND:1", "Q:1", "FREQ:1", "Gain:1" in the readout; the mode buttons without captions).
    // `params` must outlive the editor.
    EqEditor(QWidget* page, DeviceParams& params);

    // The graph set-up, once, after the page is built: five ordinary handles, +-15 dB, the
    // equaliser response, the handle values of `graphBands`; then the graph is hidden (the
    // slider view is shown first) and mode button "PEQ" is checked.
    void SetUpGraph();
    // The buttons' captions "EQ", "PEQ", "GEQ", "Reset".
    void SetCaptions();

    // Brings the section into line with the model: EQ switch, mode buttons and view of `eqMode`,
    // the readout of band 0 of the set in use ("Gain:%0.1f"), the editor in use enabled while
    // the equaliser is on, band slider positions, graph handles and response.
    void Refresh();

    // The slider view (mode 0: scales, frequency labels, band sliders) or the graph (mode 1).
    void ShowView(int mode);
    // Enables or disables the editor of the view in use (`eqMode`).
    void EnableEditor(bool enable);
    void ShowReadout(int band, const EqBandValue& value, GainFormat format);
    // Hands `graphBands` to the graph as its band inputs; the graph recomputes its response when
    // it next paints.
    void LoadGraphPoints();

    // -- Edits; each writes the model and the controls --

    // The slider of `band` (0..4) moved: stores its current position as the band's gain and
    // shows the band ("Gain:%d").
    void TakeBandSlider(int band);
    // A graph handle was selected, dragged one step or released: stores its frequency and gain,
    // shows the band ("Gain:%d") and hands the bands to the response. False for a band outside
    // 0..4, which changes nothing.
    bool TakeGraphPoint(int band);
    // A selected graph handle was double-clicked: the band back to 0 dB at its frequency
    // ("Gain:%0.1f"). False for a band outside 0..4, which changes nothing.
    bool TakeGraphDoubleClick(int band);
    // A mode button: `eqMode` = mode, that view shown and its editor enabled while the
    // equaliser is on, band 0 of its set shown ("Gain:%d"). False, with nothing changed, when
    // that view is shown already.
    bool ChooseView(int mode);
    // The EQ switch: `eqEnabled` toggled and the editor in use enabled to match.
    void ToggleEqSwitch();

    ResponseGraph* Graph() const { return graph_; }
    ImageSlider* BandSlider(int band) const { return bandSliders_[band]; }
    ImageButton* EqSwitch() const { return eqSwitch_; }
    ImageButton* PeqButton() const { return peq_; }
    ImageButton* GeqButton() const { return geq_; }
    ImageButton* ResetButton() const { return reset_; }

  private:
    void ShowModeButtons(int mode);
    void ShowBand0(int mode, GainFormat format);

    DeviceParams& params_;
    std::array<SkinLabel*, kStrips> strips_{};
    std::array<SkinLabel*, kEqBands> freqLabels_{};
    std::array<SkinLabel*, kReadoutLabels> readout_{};
    std::array<ImageSlider*, kEqBands> bandSliders_{};
    ResponseGraph* graph_;
    ImageButton* eqSwitch_;
    ImageButton* peq_;
    ImageButton* geq_;
    ImageButton* reset_;
};

}  // namespace quavelo
