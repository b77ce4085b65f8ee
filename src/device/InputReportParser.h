#pragma once

#include "device/DeviceParams.h"
#include "device/Report.h"

namespace quavelo {

// Decodes one input report into the model, in the layouts of the model in use (`deviceModel`).
// The link's reader thread calls it for every report it receives while a model whose read-back
// and level poll are answered on the reader thread is connected (the KD4); reports that fail the
// header checks are ignored.
//
//  - A level value (block 0xAE, whatever byte 1 holds) sets meterLevel, then meterReady.
//  - The status block 0x50, which the device sends by itself when a setting changes on it, sets
//    its fields, then statusReady.
//  - The read-back blocks 0x00, 0x40 and 0x10..0x28 set their fields and their blockSeen flag;
//    band block 0x30 sets band 5 and then, when all six flags are set, readbackDone.
//
// Every field is written before the flag that announces it, and the announcing flags publish
// with release, so the UI thread that reads a flag raised also sees the fields. Values are held
// inside their ranges.
void ParseInputReport(const Report& report, DeviceParams& params) noexcept;

}  // namespace quavelo
