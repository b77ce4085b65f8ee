// Feeds arbitrary input reports to the KD4 report parser, as the link's reader thread would, and
// requires the model to stay inside its ranges and the read-back flag to follow its blocks.

#include <cstdio>
#include <cstdlib>

#include "device/InputReportParser.h"
#include "fuzz/FuzzReports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quavelo;
    DeviceParams params;
    params.ResetToInitialValues();
    params.deviceModel = Model::Kd4;
    for (const fuzz::FuzzReport& report : fuzz::SplitIntoReports({data, size})) {
        ParseInputReport(report.bytes, params);
    }
    fuzz::RequireInRange(params);
    if (params.readbackDone == 1) {
        for (const SharedInt& seen : params.blockSeen) {
            if (seen != 1) {
                std::fprintf(stderr, "readbackDone with a block missing\n");
                std::abort();
            }
        }
    }
    return 0;
}
