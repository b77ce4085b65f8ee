#include "widgets/SkinAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "widgets/DropDownButton.h"
#include "widgets/ImageButton.h"
#include "widgets/ImageSlider.h"
#include "widgets/LevelMeter.h"
#include "widgets/SkinLabel.h"

namespace quavelo {

namespace {

class AccessibleButton final : public QAccessibleWidget {
  public:
    explicit AccessibleButton(ImageButton* button) : QAccessibleWidget(button) {}

    QAccessible::Role role() const override {
        if (Button()->ButtonKind() == ImageButton::kPushButton) return QAccessible::Button;
        return Button()->Exclusive() ? QAccessible::RadioButton : QAccessible::CheckBox;
    }

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) return Button()->text();
        return own;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button()->isDown();
        if (Button()->ButtonKind() == ImageButton::kSwitch) {
            s.checkable = true;
            s.checked = Button()->Checked() != 0;
        }
        return s;
    }
    QStringList actionNames() const override {
        const bool push = Button()->ButtonKind() == ImageButton::kPushButton;
        return QStringList{push ? pressAction() : toggleAction()} +
               QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction()) {
            if (Button()->isEnabled()) Button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

  private:
    ImageButton* Button() const { return static_cast<ImageButton*>(widget()); }
};

class AccessibleSlider final : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleSlider(ImageSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Slider()->ValueText();
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return Slider()->GetPos(); }
    void setCurrentValue(const QVariant& value) override {
        if (Slider()->isEnabled()) Slider()->ChangeTo(value.toInt());
    }
    QVariant maximumValue() const override { return Slider()->Max(); }
    QVariant minimumValue() const override { return Slider()->Min(); }
    QVariant minimumStepSize() const override { return 1; }

  private:
    ImageSlider* Slider() const { return static_cast<ImageSlider*>(widget()); }
};

class AccessibleMeter final : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit AccessibleMeter(LevelMeter* meter)
        : QAccessibleWidget(meter, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Value) return QAccessibleWidget::text(t);
        const LevelMeter* meter = Meter();
        const int span = meter->Upper() - meter->Lower();
        const int percent = span > 0 ? (meter->GetPos() - meter->Lower()) * 100 / span : 0;
        return LevelMeter::tr("%1 %").arg(percent);
    }
    QVariant currentValue() const override { return Meter()->GetPos(); }
    void setCurrentValue(const QVariant&) override {}  // a meter only shows
    QVariant maximumValue() const override { return Meter()->Upper(); }
    QVariant minimumValue() const override { return Meter()->Lower(); }
    QVariant minimumStepSize() const override { return 1; }

  private:
    LevelMeter* Meter() const { return static_cast<LevelMeter*>(widget()); }
};

class AccessibleChoice final : public QAccessibleWidget {
  public:
    explicit AccessibleChoice(DropDownButton* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Box()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->ListOpen();
        s.collapsed = !s.expanded;
        return s;
    }

  private:
    DropDownButton* Box() const { return static_cast<DropDownButton*>(widget()); }
};

class AccessibleLabel final : public QAccessibleWidget {
  public:
    explicit AccessibleLabel(SkinLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) {
            return static_cast<SkinLabel*>(widget())->Text();
        }
        return own;
    }
};

QAccessibleInterface* SkinInterface(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    const auto is = [&className](const QMetaObject& meta) {
        return className == QLatin1String(meta.className());
    };
    if (is(ImageButton::staticMetaObject)) {
        return new AccessibleButton(static_cast<ImageButton*>(object));
    }
    if (is(ImageSlider::staticMetaObject)) {
        return new AccessibleSlider(static_cast<ImageSlider*>(object));
    }
    if (is(LevelMeter::staticMetaObject)) {
        return new AccessibleMeter(static_cast<LevelMeter*>(object));
    }
    if (is(DropDownButton::staticMetaObject)) {
        return new AccessibleChoice(static_cast<DropDownButton*>(object));
    }
    if (is(SkinLabel::staticMetaObject)) {
        return new AccessibleLabel(static_cast<SkinLabel*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallSkinAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&SkinInterface);
        return true;
    }();
    (void)installed;
}

void NotifyAccessibleValue(QWidget* control, const QVariant& value) {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(control, value);
    QAccessible::updateAccessibility(&event);
}

void NotifyAccessibleChecked(QWidget* control) {
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace quavelo
