#include "cli/CliOutput.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "device/DeviceMap.h"
#include "device/ValueDisplay.h"
#include "graph/EqResponse.h"

namespace quavelo {

namespace {

using Json = nlohmann::ordered_json;

Json BandSet(const std::array<EqBand, kBandSlots>& bands) {
    Json set = Json::array();
    for (int i = 0; i < kEqBands; ++i) {
        const EqBandValue band = bands[i].Value();
        set.push_back({{"freq", band.freq}, {"gain", band.gain}, {"q", band.q}});
    }
    return set;
}

Json SettingsJson(const DeviceParams& p) {
    return Json{{"model", ProfileOf(p).cliName},
                {"micGain", std::int32_t{p.micGain}},
                {"gain2", std::int32_t{p.gain2}},
                {"limiterOn", std::int32_t{p.limiterOn}},
                {"limiterLevel", std::int32_t{p.limiterLevel}},
                {"hpfOn", std::int32_t{p.hpfOn}},
                {"hpfFreq", std::int32_t{p.hpfFreq}},
                {"stereo", std::int32_t{p.stereo}},
                {"monitorMicCut", std::int32_t{p.monitorMicCut}},
                {"monitorPlaybackCut", std::int32_t{p.monitorPlaybackCut}},
                {"eqEnabled", std::int32_t{p.eqEnabled}},
                {"eqMode", std::int32_t{p.eqMode}},
                {"kd4Lock", std::int32_t{p.kd4Lock}},
                {"kd4Mute", std::int32_t{p.kd4Mute}},
                {"kd4Indicator", std::int32_t{p.kd4Indicator}},
                {"graphBands", BandSet(p.graphBands)},
                {"sliderBands", BandSet(p.sliderBands)}};
}

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

void Row(std::ostream& out, const char* caption, const std::string& value) {
    out << caption << std::string(12 - std::string_view(caption).size(), ' ') << value << '\n';
}

}  // namespace

void PrintSettings(std::ostream& out, const DeviceParams& p, bool json) {
    const Json settings = SettingsJson(p);
    if (json) {
        out << settings.dump(2) << '\n';
        return;
    }
    for (const auto& [key, value] : settings.items()) {
        if (!value.is_array()) {
            out << key << ' ' << (value.is_string() ? value.get<std::string>() : value.dump())
                << '\n';
            continue;
        }
        for (std::size_t i = 0; i < value.size(); ++i) {
            out << key << '[' << i + 1 << "] freq " << value[i]["freq"].dump() << " gain "
                << value[i]["gain"].dump() << " q " << value[i]["q"].dump() << '\n';
        }
    }
}

void PrintPresetPreview(std::ostream& out, const ModelProfile& profile, const PresetFields& fields,
                        bool json) {
    const PresetPreview preview = MakePresetPreview(profile, fields);
    Json rows = Json::object();
    for (std::size_t row = 0; row < profile.previewRows.size(); ++row) {
        // A heading row has no value of its own.
        if (profile.previewRows[row].value == nullptr) continue;
        rows[std::string(profile.previewRows[row].caption)] = preview.values[row];
    }
    const std::array<std::string, kEqBands>& bandFreq = preview.bandFreq;
    const std::array<std::string, kEqBands>& bandGain = preview.bandGain;
    if (json) {
        Json bands = Json::array();
        for (int i = 0; i < kEqBands; ++i)
            bands.push_back({{"freq", bandFreq[i]}, {"gain", bandGain[i]}});
        rows["bands"] = bands;
        out << rows.dump(2) << '\n';
        return;
    }
    for (const auto& [caption, value] : rows.items()) {
        Row(out, caption.c_str(), value.get<std::string>());
    }
    for (int i = 0; i < kEqBands; ++i) {
        if (bandFreq[i].empty()) continue;
        out << bandFreq[i] << std::string(12 - std::min<std::size_t>(bandFreq[i].size(), 11), ' ')
            << bandGain[i] << '\n';
    }
}

void PrintCurve(std::ostream& out, const DeviceParams& p, bool json) {
    // The graph's band inputs, as the pages load them from the graph bands.
    EqBandInputs inputs;
    inputs.bandCount = kEqBands;
    for (int i = 0; i < kEqBands; ++i) {
        const EqBandValue band = p.graphBands[i].Value();
        inputs.gain[i] = GraphGainFromBand(band.gain);
        inputs.q[i] = band.q / 10.0;
        inputs.frequency[i] = band.freq;
        inputs.shape[i] = static_cast<std::uint32_t>(band.filterType);
        inputs.kind[i] = kKindEqBand;
        inputs.filterEnabled[i] = 0;
    }
    EqResponseCurves curves;
    ComputeEqResponse(inputs, curves);
    Json points = Json::array();
    for (std::size_t j = 0; j < kResponsePoints; ++j) {
        char db[32];
        std::snprintf(db, sizeof db, "%.4f", curves.total[j]);
        if (json) {
            points.push_back({{"hz", curves.grid[j]}, {"db", std::stod(db)}});
        } else {
            char hz[32];
            std::snprintf(hz, sizeof hz, "%g", curves.grid[j]);
            out << hz << ' ' << db << '\n';
        }
    }
    if (json) out << points.dump(2) << '\n';
}

void PrintLevels(std::ostream& out, const ModelProfile& profile,
                 const std::vector<LevelReading>& readings, bool json) {
    const bool twoMeters = profile.levelMeters == 2;
    Json all = Json::array();
    for (const LevelReading& r : readings) {
        if (twoMeters) {
            const MeterPositions meters = MeterPositionsOf(r);
            all.push_back({{"first", meters.first},
                           {"second", meters.second},
                           {"mean", meters.mean},
                           {"firstRaw", r.first},
                           {"secondRaw", r.second}});
        } else {
            all.push_back({{"level", LevelPercent(r.first)}, {"levelRaw", r.first}});
        }
    }
    if (json) {
        out << all.dump(2) << '\n';
        return;
    }
    for (const auto& r : all) {
        if (twoMeters) {
            out << "first " << r["first"] << " (" << r["firstRaw"] << ")  second " << r["second"]
                << " (" << r["secondRaw"] << ")  mean " << r["mean"] << '\n';
        } else {
            out << "level " << r["level"] << " (" << r["levelRaw"] << ")\n";
        }
    }
}

void PrintDeviceList(std::ostream& out, const std::vector<ListedDevice>& devices, bool json) {
    Json all = Json::array();
    for (const auto& [d, refusal] : devices) {
        const ModelProfile* profile = FindProfile(UsbIds{d.vendorId, d.productId});
        if (profile == nullptr) continue;
        Json entry{{"model", profile->cliName},
                   {"id", Hex4(d.vendorId) + ":" + Hex4(d.productId)},
                   {"path", d.path},
                   {"serial", d.serial},
                   {"state", "ok"}};
        if (refusal && refusal->kind == OpenError::Kind::InUse) {
            entry["state"] = "in-use";
            if (refusal->holder > 0) entry["pid"] = refusal->holder;
        } else if (refusal) {
            entry["state"] =
                refusal->kind == OpenError::Kind::NotPermitted ? "no-access" : "failed";
            entry["problem"] = refusal->text;
        }
        all.push_back(entry);
    }
    if (json) {
        out << all.dump(2) << '\n';
        return;
    }
    for (const auto& entry : all) {
        const std::string serial = entry["serial"].get<std::string>();
        out << entry["model"].get<std::string>() << ' ' << entry["id"].get<std::string>() << ' '
            << entry["path"].get<std::string>() << ' ' << (serial.empty() ? "-" : serial) << ' '
            << entry["state"].get<std::string>();
        if (entry.contains("pid")) out << " (pid " << entry["pid"].dump() << ")";
        if (entry.contains("problem")) out << " (" << entry["problem"].get<std::string>() << ")";
        out << '\n';
    }
}

}  // namespace quavelo
