#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceCommands.h"
#include "device/Kd4ReportParser.h"
#include "device/SettingsBlocks.h"
#include "link/HidControl.h"
#include "sim/SimulatedBackend.h"
#include "support/RecordingLogSink.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingSleeper.h"

namespace quavelo::test {

// The whole path a front end uses: the command object over HidControl over the simulated
// backend, with one simulated device of `model`. Pauses are recorded, not waited out.
struct SimLinkRig {
    explicit SimLinkRig(std::int32_t model) : device(backend.AddDevice(model)) {
        params.ResetToInitialValues();
        params.deviceModel = model;
    }

    bool Open() { return link.FindAndOpen(device.Info().vendorId, device.Info().productId); }

    // Starts the reader thread with the KD4 parser writing into `params`; `sentinel`, when given,
    // is not parsed but flags that everything sent before it has been handled.
    bool StartKd4Reader(const HidReport* sentinel = nullptr) {
        link.SetReportHandler([this, sentinel](const HidReport& report, std::size_t) {
            if (sentinel != nullptr && report == *sentinel) {
                sentinelSeen = true;
                return;
            }
            ParseKd4Report(report, params);
        });
        return link.StartReader();
    }

    void Fault(const std::function<void(SimFaults&)>& change) {
        SimFaults faults = device.Faults();
        change(faults);
        device.SetFaults(faults);
    }

    SimulatedBackend backend;
    SimulatedDevice& device;
    LinkState state;
    HidControl link{backend, state};
    DeviceParams params;
    RecordingSleeper sleeper;
    RecordingLogSink log;
    RecordingPrompt prompt;
    DeviceCommands commands{link, params, sleeper, log, prompt};
    std::atomic<bool> sentinelSeen{false};
};

// Polls `done` until it holds or `limit` has passed.
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(2000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

inline std::chrono::milliseconds TimeOf(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// The store blocks whose bytes differ from the model's encoding in `model`'s layouts; empty when
// the model holds exactly what the store holds.
inline std::vector<std::string> StoreMismatches(const DeviceParams& params,
                                                const SettingsStoreImage& store,
                                                std::int32_t model) {
    const bool kd4 = model == kModelKd4;
    std::vector<Report> blocks{kd4 ? SettingsBlockKd4(params) : SettingsBlock(params),
                               kd4 ? SliderGainBlockKd4(params) : SliderGainBlock(params)};
    for (int band = 1; band <= kEqBands; ++band) blocks.push_back(BandBlock(params, band));
    std::vector<std::string> mismatches;
    for (const Report& block : blocks) {
        const std::size_t address = block[3];
        const std::vector<std::uint8_t> encoded(block.begin() + 6, block.begin() + 6 + block[4]);
        const std::vector<std::uint8_t> stored(store.begin() + address,
                                               store.begin() + address + block[4]);
        if (encoded != stored) {
            mismatches.push_back("block " + std::to_string(address) + ": model " +
                                 HexBytes(encoded) + "store " + HexBytes(stored));
        }
    }
    return mismatches;
}

// The fields a read-back of `model` sets, by name.
inline std::map<std::string, int> ReadBackFields(const DeviceParams& p, std::int32_t model) {
    std::map<std::string, int> fields{{"limiterOn", p.limiterOn},
                                      {"limiterLevel", p.limiterLevel},
                                      {"hpfOn", p.hpfOn},
                                      {"hpfFreq", p.hpfFreq},
                                      {"monitorMicCut", p.monitorMicCut},
                                      {"monitorPlaybackCut", p.monitorPlaybackCut},
                                      {"gain2", p.gain2},
                                      {"micGain", p.micGain},
                                      {"eqEnabled", p.eqEnabled},
                                      {"eqMode", p.eqMode}};
    if (model == kModelKd4) {
        fields["kd4Lock"] = p.kd4Lock;
        fields["kd4SwitchA"] = p.kd4SwitchA;
        fields["kd4SwitchB"] = p.kd4SwitchB;
    } else {
        fields["stereo"] = p.stereo;
    }
    for (int i = 0; i < kEqBands; ++i) {
        const std::string n = std::to_string(i + 1);
        fields["sliderBands" + n + ".gain"] = p.sliderBands[i].gain;
        fields["graphBands" + n + ".freq"] = p.graphBands[i].freq;
        fields["graphBands" + n + ".gain"] = p.graphBands[i].gain;
    }
    return fields;
}

}  // namespace quavelo::test
