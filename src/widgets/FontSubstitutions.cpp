#include "widgets/FontSubstitutions.h"

#include <QFont>
#include <QStringList>

namespace quavelo {

void InstallFontSubstitutions() {
    const QStringList cjkFaces{
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
    for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("Microsoft MHei"),
                                QStringLiteral("Arial Unicode MS")}) {
        if (QFont::substitutes(name) != cjkFaces) {
            QFont::removeSubstitutions(name);
            QFont::insertSubstitutions(name, cjkFaces);
        }
    }
}

}  // namespace quavelo
