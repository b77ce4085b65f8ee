#include "graph/GraphAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "graph/ResponseGraph.h"

namespace quavelo {

namespace {

class AccessibleGraph final : public QAccessibleWidget {
  public:
    explicit AccessibleGraph(ResponseGraph* graph) : QAccessibleWidget(graph, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override {
        const auto* graph = static_cast<const ResponseGraph*>(widget());
        if (t == QAccessible::Value) return graph->ValueText();
        if (t == QAccessible::Description && graph->accessibleDescription().isEmpty()) {
            return ResponseGraph::tr(
                "Digits, Page Up and Page Down choose a band; the arrow keys move it, with Shift "
                "ten times as far");
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* GraphInterface(const QString& className, QObject* object) {
    if (object == nullptr ||
        className != QLatin1String(ResponseGraph::staticMetaObject.className())) {
        return nullptr;
    }
    return new AccessibleGraph(static_cast<ResponseGraph*>(object));
}

}  // namespace

void InstallGraphAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&GraphInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace quavelo
