#pragma once

#include <QFont>
#include <QListWidget>

namespace quavelo {

// The owner-drawn list inside a drop-down's pop-up (DropDownPopup): 40-pixel items, white text
// centred on dark blue, the item under the pointer highlighted in teal. Headings are drawn bold
// at the left with a rule and cannot be chosen. Moving the pointer over an item makes it the
// current one; releasing the mouse button (or pressing Return) asks the pop-up to choose it.
class DropDownList : public QListWidget {
    Q_OBJECT

  public:
    static constexpr int kItemHeight = 40;

    explicit DropDownList(QWidget* parent = nullptr);

    // Adds a choice or a heading; returns its index.
    int AddString(const QString& text);
    int AddHeading(const QString& text);
    bool IsHeading(int index) const;

    // The normal font; headings use a bold copy of it.
    void SetListFont(const QFont& font);
    const QFont& NormalFont() const { return normalFont_; }
    const QFont& BoldFont() const { return boldFont_; }

    // The last chosen index, which a cancelled choice returns to.
    int SavedSelection() const { return savedSelection_; }
    void SetSavedSelection(int index) { savedSelection_ = index; }

  signals:
    // The user let go of the mouse button (at globalPos) or pressed Return on the current item.
    void selectionEnded(QPoint globalPos);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QFont normalFont_;
    QFont boldFont_;
    int savedSelection_ = 0;
};

}  // namespace quavelo
