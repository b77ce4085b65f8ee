#pragma once

#include "device/DeviceCommands.h"
#include "device/Kd4SendWorker.h"
#include "pages/PageContext.h"
#include "support/EventTrace.h"
#include "support/FakeReportLink.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"
#include "support/TempDir.h"

namespace quavelo::test {

// What a page is built on in a test: a model with the panel's initial values, a command set over
// a recording link, recording prompts and pauses, a KD4 send worker and an empty preset folder,
// all writing to one trace.
struct PageRig {
    EventTrace trace;
    FakeReportLink link{&trace};
    RecordingSleeper sleeper{&trace};
    RecordingLogSink log{&trace};
    RecordingPrompt prompt{&trace};
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};
    Kd4SendWorker sendWorker{params, sleeper};
    TempDir dataDir;
    PageContext context{params, commands, prompt, sendWorker, dataDir.Path()};

    PageRig() { params.ResetToInitialValues(); }
};

}  // namespace quavelo::test
