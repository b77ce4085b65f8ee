#pragma once

#include <QWidget>

namespace quavelo {

class ResponseGraph;

// The equaliser page: one graph in fader mode with six bands, all at 0 dB, that follows the
// page's size. The main window creates it hidden and never shows it; it is connected neither to
// the parameter model nor to the device, and the graph's own handling moves the faders.
//
// The owner constructs the page, which builds its controls, and then calls OnInitDialog once.
class EqualiserPage : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kIdGraph = 1003;

    explicit EqualiserPage(QWidget* parent = nullptr);

    // Sets the graph up; the page follows its size from then on. Returns true.
    bool OnInitDialog();
    ResponseGraph* Graph() const { return graph_; }

  protected:
    // Once ready: the graph takes the full width from a sixth of the height, four sixths high.
    void resizeEvent(QResizeEvent* event) override;

  private:
    ResponseGraph* graph_;  // owned as a child widget
    bool ready_ = false;    // set up by OnInitDialog
};

}  // namespace quavelo
