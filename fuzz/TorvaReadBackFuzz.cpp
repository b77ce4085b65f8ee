// Feeds arbitrary input reports to the TORVA read-back: as the answers of ReadAllSettings (with
// short reports where the input ends early), and one by one to the block decoder, which the
// read-back only reaches for matching answers. The model must stay inside its ranges.

#include "device/DeviceCommands.h"
#include "device/SettingsBlocks.h"
#include "fuzz/FuzzReports.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quavelo;
    const std::vector<fuzz::FuzzReport> reports = fuzz::SplitIntoReports({data, size});

    DeviceParams decoded;
    decoded.ResetToInitialValues();
    decoded.deviceModel = Model::Torva;
    for (const fuzz::FuzzReport& report : reports) {
        DecodeStoreAnswer(report.bytes, decoded, ProfileOf(Model::Torva));
    }
    fuzz::RequireInRange(decoded);

    DeviceParams params;
    params.ResetToInitialValues();
    params.deviceModel = Model::Torva;
    test::FakeReportLink link;
    for (const fuzz::FuzzReport& report : reports) link.QueueAnswer(report.bytes, report.length);
    test::RecordingSleeper sleeper;
    test::RecordingLogSink log;
    test::RecordingPrompt prompt;
    DeviceCommands commands(link, params, sleeper, log, prompt);
    commands.ReadAllSettings();
    std::int32_t first = 0;
    std::int32_t second = 0;
    commands.PollLevels(first, second);
    fuzz::RequireInRange(params);
    return 0;
}
