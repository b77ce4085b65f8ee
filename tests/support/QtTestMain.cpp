#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "widgets/FontSubstitutions.h"

// Widgets are tested without a display: the offscreen platform unless the caller chose another.
// XDG_RUNTIME_DIR only silences Qt's warning about it missing in containers.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/quavelo-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    quavelo::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
