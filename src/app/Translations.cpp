#include "app/Translations.h"

#include <QCoreApplication>

#include <string>

#include "device/Messages.h"

namespace quavelo {

namespace {

std::string Translated(std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate(kMessagesContext, source.c_str()).toStdString();
}

}  // namespace

std::unique_ptr<QTranslator> InstallTranslations(std::string_view language) {
    if (language.empty()) return nullptr;
    auto translator = std::make_unique<QTranslator>();
    const QString file =
        QStringLiteral(":/i18n/quavelo_%1.qm")
            .arg(QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size())));
    if (!translator->load(file) || !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

void TranslatedPrompt::Info(std::string_view text) { shown_.Info(Translated(text)); }

bool TranslatedPrompt::Confirm(std::string_view text) { return shown_.Confirm(Translated(text)); }

}  // namespace quavelo
