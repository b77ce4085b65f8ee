#include "app/AppOptions.h"

#include <QCommandLineParser>

namespace quavelo {

namespace {

constexpr double kMinScale = 1.0;
constexpr double kMaxScale = 4.0;

std::filesystem::path ToPath(const QString& value) {
    return std::filesystem::path(value.toStdString());
}

// The options QGuiApplication and QApplication take from the command line, with whether each
// takes a value.
struct QtOption {
    const char* name;
    bool value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"reverse", false},
    {"session", true},         {"style", true},
    {"stylesheet", true},      {"widgetcount", false},
    {"display", true},         {"geometry", true},
    {"title", true},           {"name", true},
    {"visual", true},          {"dialogs", true},
    {"nograb", false},         {"dograb", false},
    {"sync", false},           {"fontengine", true},
    {"qmljsdebugger", true},
};

}  // namespace

QStringList WithoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        const bool option = i > 0 && arg.startsWith(u'-');
        QString name = arg.mid(arg.startsWith(QStringLiteral("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(u'=');
        if (equals >= 0) name.truncate(equals);
        const QtOption* qt = nullptr;
        for (const QtOption& each : kQtOptions) {
            if (option && name == QLatin1String(each.name)) qt = &each;
        }
        if (qt == nullptr) {
            kept << arg;
        } else if (qt->value && equals < 0) {
            ++i;  // its value follows
        }
    }
    return kept;
}

AppOptions ParseAppOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Control panel for the TORVA and KD4 USB microphone converters."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Use the built-in simulated TORVA and KD4 instead of USB devices, with a "
                       "\"Simulated device\" window to unplug them and work their controls."));
    const QCommandLineOption simState(
        QStringLiteral("sim-state"),
        QStringLiteral("Load the simulated device's settings from FILE when it exists and save "
                       "them back on exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption trace(
        QStringLiteral("trace"),
        QStringLiteral("Append every report on the simulated wire to FILE."),
        QStringLiteral("FILE"));
    const QCommandLineOption dataDir(
        QStringLiteral("data-dir"), QStringLiteral("Folder of the preset files and the daily log."),
        QStringLiteral("DIR"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render the start screen, both pages connected to simulated devices and "
                       "the simulated-device window to PNG files in DIR, print their paths and "
                       "exit. Needs no display."),
        QStringLiteral("DIR"));
    const QCommandLineOption scale(
        QStringLiteral("scale"),
        QStringLiteral("Draw the panel FACTOR times larger (1 to 4, e.g. 1.5 or 2), as on a "
                       "screen of that pixel density, over what the screen itself asks for; with "
                       "--screenshot the images have FACTOR times the pixels each way."),
        QStringLiteral("FACTOR"));
    const QCommandLineOption measure(
        QStringLiteral("measure-startup"),
        QStringLiteral("Print the time of the start screen's first paint and the memory in use, "
                       "connected to the simulated TORVA, and exit."));
    parser.addOptions(
        {help, version, simulate, simState, trace, dataDir, screenshot, scale, measure});

    AppOptions options;
    auto usage = [&options](const QString& message) {
        options.action = AppOptions::Action::kUsageError;
        options.message = message;
        return options;
    };
    if (!parser.parse(arguments)) return usage(parser.errorText());
    if (parser.isSet(help)) {
        options.action = AppOptions::Action::kHelp;
        options.message = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                    QStringLiteral("quavelo"));
        return options;
    }
    if (parser.isSet(version)) {
        options.action = AppOptions::Action::kVersion;
        options.message = QStringLiteral("quavelo " QUAVELO_VERSION);
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usage(QStringLiteral("Unexpected argument: ") +
                     parser.positionalArguments().first());
    }

    for (const QCommandLineOption* option : {&simState, &trace, &dataDir, &screenshot, &scale}) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty()) {
            return usage(QStringLiteral("--%1 needs a value").arg(option->names().first()));
        }
    }
    options.simulate = parser.isSet(simulate);
    options.measureStartup = parser.isSet(measure);
    if (parser.isSet(simState)) options.simState = ToPath(parser.value(simState));
    if (parser.isSet(trace)) options.trace = ToPath(parser.value(trace));
    if (parser.isSet(dataDir)) options.dataDir = ToPath(parser.value(dataDir));
    if (parser.isSet(screenshot)) options.screenshotDir = ToPath(parser.value(screenshot));
    if (parser.isSet(scale)) {
        bool ok = false;
        const double factor = parser.value(scale).toDouble(&ok);
        if (!ok || !(factor >= kMinScale && factor <= kMaxScale)) {
            return usage(QStringLiteral("--scale takes a factor from 1 to 4, not ") +
                         parser.value(scale));
        }
        options.scale = factor;
    }

    if ((options.simState || options.trace || options.measureStartup) && !options.Simulated()) {
        return usage(QStringLiteral(
            "--sim-state, --trace and --measure-startup work with the simulated devices: add "
            "--simulate"));
    }
    if (options.screenshotDir && options.measureStartup) {
        return usage(QStringLiteral("--screenshot and --measure-startup exclude each other"));
    }
    return options;
}

}  // namespace quavelo
