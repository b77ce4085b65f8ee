// The protocol's per-report costs: the KD4 parser and the traffic log run on the link's reader
// thread for every input report, and a command's cost without the wire is what the UI thread
// spends before its first write.

#include <benchmark/benchmark.h>

#include <array>

#include "device/DeviceCommands.h"
#include "device/InputReportParser.h"
#include "link/HexBytes.h"
#include "link/TrafficLog.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

class NullLink final : public ReportLink {
  public:
    bool WriteReport16(const HidReport& report) override {
        benchmark::DoNotOptimize(report);
        return true;
    }
    bool ReadReport(HidReport&, std::uint8_t&) override { return false; }
};

class NullSleeper final : public Sleeper {
  public:
    void SleepFor(std::chrono::milliseconds) override {}
};

class NullLog final : public LogSink {
  public:
    void WriteLogLine(std::string_view message) override { benchmark::DoNotOptimize(message); }
};

class NullPrompt final : public Prompt {
  public:
    void Info(std::string_view) override {}
    bool Confirm(std::string_view) override { return false; }
};

void BM_ParseKd4ReadBack(benchmark::State& state) {
    const std::array<Report, 8> reports{
        *ParseHexReport("FF A0 00 00 0A 01 00 01 01 01 01 00 AA 00 01 01"),
        *ParseHexReport("FF A0 00 40 09 01 00 00 00 00 00 50"),
        *ParseHexReport("FF A0 00 10 04 01 00 64 14 00"),
        *ParseHexReport("FF A0 00 18 04 01 00 FA 14 00"),
        *ParseHexReport("FF A0 00 20 04 01 03 E8 14 00"),
        *ParseHexReport("FF A0 00 28 04 01 0F A0 14 00"),
        *ParseHexReport("FF A0 00 30 04 01 27 10 14 00"),
        *ParseHexReport("FF 70 00 AE 04 01 00 20 00 00")};
    DeviceParams params;
    params.ResetToInitialValues();
    params.deviceModel = Model::Kd4;
    for (auto _ : state) {
        for (const Report& report : reports) ParseInputReport(report, params);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(reports.size()));
}
BENCHMARK(BM_ParseKd4ReadBack);

void BM_TrafficLogLine(benchmark::State& state) {
    test::TempDir dir;
    TrafficLog log(dir.Path());
    const std::string message =
        "recdata:" + HexBytes(*ParseHexReport("FF 70 00 AE 04 01 00 20 00 00"));
    for (auto _ : state) log.WriteLogLine(message);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TrafficLogLine);

struct CommandsRig {
    NullLink link;
    NullSleeper sleeper;
    NullLog log;
    NullPrompt prompt;
    DeviceParams params;
    DeviceCommands commands{link, params, sleeper, log, prompt};
    CommandsRig() { params.ResetToInitialValues(); }
};

void BM_SetGraphBandWithoutTheWire(benchmark::State& state) {
    CommandsRig rig;
    int band = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.commands.SetBand(BandSet::Graph, band++ % 5 + 1));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetGraphBandWithoutTheWire);

void BM_SetMicGainKd4WithoutTheWire(benchmark::State& state) {
    CommandsRig rig;
    rig.params.deviceModel = Model::Kd4;
    rig.params.micGain = 20;
    for (auto _ : state) benchmark::DoNotOptimize(rig.commands.SetMicGain());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SetMicGainKd4WithoutTheWire);

}  // namespace
}  // namespace quavelo

BENCHMARK_MAIN();
