#include "device/PresetFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "device/Encoding.h"
#include "device/ModelProfile.h"
#include "device/ParamRange.h"
#include "link/AtomicFile.h"

namespace quavelo {

namespace {

void Put32(PresetImage& image, std::size_t offset, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t Get32(const PresetImage& image, std::size_t offset) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t{image[offset + i]} << (8 * i);
    return static_cast<std::int32_t>(u);
}

void PutBandSet(PresetImage& image, std::size_t base, const std::array<EqBand, kBandSlots>& bands) {
    for (int i = 0; i < kBandSlots; ++i) {
        const std::size_t record = base + i * preset::kBandRecordSize;
        const EqBandValue band = bands[i].Value();
        Put32(image, record + preset::kBandFreq, band.freq);
        Put32(image, record + preset::kBandGain, band.gain);
        Put32(image, record + preset::kBandQ, band.q);
        Put32(image, record + preset::kBandFilterType, band.filterType);
    }
}

std::array<PresetBand, kEqBands> GetBandSet(const PresetImage& image, std::size_t base) {
    std::array<PresetBand, kEqBands> bands{};
    for (int i = 0; i < kEqBands; ++i) {
        const std::size_t record = base + i * preset::kBandRecordSize;
        bands[i] = {Get32(image, record + preset::kBandFreq),
                    Get32(image, record + preset::kBandGain)};
    }
    return bands;
}

std::int32_t BandFreq(std::int32_t freq, int band) {
    return freq == 0 ? kDefaultBandFreq[band] : ranges::kBandFreq.Clamp(freq);
}

void ApplyEqualiser(const PresetFields& f, DeviceParams& p) {
    p.eqEnabled = ranges::kSwitch.Clamp(f.eqEnabled);
    p.eqMode = ranges::kSwitch.Clamp(f.eqMode);
    for (int i = 0; i < kEqBands; ++i)
        p.sliderBands[i].gain = ranges::kBandGain.Clamp(f.sliderBands[i].gain);
    for (int i = 0; i < kEqBands; ++i)
        p.graphBands[i].gain = ranges::kBandGain.Clamp(f.graphBands[i].gain);
    for (int i = 0; i < kEqBands; ++i) p.graphBands[i].freq = BandFreq(f.graphBands[i].freq, i);
}

void ApplyMonitorCuts(const PresetFields& f, DeviceParams& p) {
    const MonitorCuts cuts =
        DecodeMonitorBalance(MonitorBalance(f.monitorMicCut, f.monitorPlaybackCut));
    p.monitorMicCut = cuts.micCut;
    p.monitorPlaybackCut = cuts.playbackCut;
}

void ApplyFilters(const PresetFields& f, DeviceParams& p) {
    p.hpfOn = ranges::kSwitch.Clamp(f.hpfOn);
    p.hpfFreq = ranges::kHpfFreq.Clamp(f.hpfFreq);
    p.limiterOn = ranges::kSwitch.Clamp(f.limiterOn);
    p.limiterLevel = ranges::kLimiterLevel.Clamp(f.limiterLevel);
}

std::string ErrnoText(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::filesystem::path PresetFilePath(const std::filesystem::path& dataDir, int slot) {
    return dataDir / ("SAVE" + std::to_string(slot) + ".dat");
}

PresetImage BuildPresetImage(const DeviceParams& p) {
    PresetImage image{};
    PutBandSet(image, preset::kGraphBands, p.graphBands);
    PutBandSet(image, preset::kSliderBands, p.sliderBands);
    Put32(image, preset::kEqEnabled, p.eqEnabled);
    Put32(image, preset::kEqMode, p.eqMode);
    Put32(image, preset::kStereo, p.stereo);
    Put32(image, preset::kKd4Lock, p.kd4Lock);
    Put32(image, preset::kKd4Mute, p.kd4Mute);
    Put32(image, preset::kMonitorMicCut, p.monitorMicCut);
    Put32(image, preset::kMonitorPlaybackCut, p.monitorPlaybackCut);
    Put32(image, preset::kMicGain, p.micGain);
    Put32(image, preset::kGain2, p.gain2);
    Put32(image, preset::kHpfFreq, p.hpfFreq);
    Put32(image, preset::kHpfOn, p.hpfOn);
    Put32(image, preset::kKd4Indicator, p.kd4Indicator);
    Put32(image, preset::kLimiterLevel, p.limiterLevel);
    Put32(image, preset::kLimiterOn, p.limiterOn);
    return image;
}

PresetFields DecodePresetImage(const PresetImage& image) {
    PresetFields f;
    f.graphBands = GetBandSet(image, preset::kGraphBands);
    f.sliderBands = GetBandSet(image, preset::kSliderBands);
    f.eqEnabled = Get32(image, preset::kEqEnabled);
    f.eqMode = Get32(image, preset::kEqMode);
    f.stereo = Get32(image, preset::kStereo);
    f.kd4Lock = Get32(image, preset::kKd4Lock);
    f.kd4Mute = Get32(image, preset::kKd4Mute);
    f.monitorMicCut = Get32(image, preset::kMonitorMicCut);
    f.monitorPlaybackCut = Get32(image, preset::kMonitorPlaybackCut);
    f.micGain = Get32(image, preset::kMicGain);
    f.gain2 = Get32(image, preset::kGain2);
    f.hpfFreq = Get32(image, preset::kHpfFreq);
    f.hpfOn = Get32(image, preset::kHpfOn);
    f.kd4Indicator = Get32(image, preset::kKd4Indicator);
    f.limiterLevel = Get32(image, preset::kLimiterLevel);
    f.limiterOn = Get32(image, preset::kLimiterOn);
    return f;
}

void ApplyPreset(const PresetFields& f, DeviceParams& p, const ModelProfile& profile) {
    ApplyEqualiser(f, p);
    if (profile.hasIndicator) p.kd4Indicator = ranges::kSwitch.Clamp(f.kd4Indicator);
    if (profile.hasMute) p.kd4Mute = ranges::kSwitch.Clamp(f.kd4Mute);
    if (profile.hasLock) p.kd4Lock = ranges::kSwitch.Clamp(f.kd4Lock);
    if (profile.hasStereo) p.stereo = ranges::kSwitch.Clamp(f.stereo);
    p.micGain = ranges::kMicGain.Clamp(f.micGain);
    p.gain2 = profile.gain2Range.Clamp(f.gain2);
    ApplyMonitorCuts(f, p);
    ApplyFilters(f, p);
}

PresetReadResult ReadPresetFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, ErrnoText("cannot open")};
    PresetImage image{};
    std::size_t got = 0;
    while (got < image.size()) {
        const ssize_t n = ::read(fd, image.data() + got, image.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            PresetReadResult result{std::nullopt, ErrnoText("cannot read")};
            ::close(fd);
            return result;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got < image.size()) {
        return {std::nullopt, "the file holds " + std::to_string(got) + " bytes, not " +
                                  std::to_string(kPresetFileSize)};
    }
    return {image, {}};
}

PresetReadResult ReadPresetToImport(const std::filesystem::path& path) {
    // Only a regular file has a size, and reading anything else (a pipe) might never end.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return {std::nullopt, "cannot read: " + ec.message()};
    if (size != kPresetFileSize) {
        return {std::nullopt, "the file holds " + std::to_string(size) + " bytes, not " +
                                  std::to_string(kPresetFileSize)};
    }
    PresetReadResult read = ReadPresetFile(path);
    if (!read.image) return read;
    if (std::string problem = CheckPresetImage(*read.image); !problem.empty()) {
        return {std::nullopt, std::move(problem)};
    }
    return read;
}

std::string CheckPresetImage(const PresetImage& image) {
    const PresetFields f = DecodePresetImage(image);
    struct Field {
        const char* name;
        std::int32_t value;
        ParamRange range;
    };
    const ParamRange kLevel{0, 3};
    std::vector<Field> fields = {
        {"eqEnabled", f.eqEnabled, ranges::kSwitch},
        {"eqMode", f.eqMode, ranges::kSwitch},
        {"stereo", f.stereo, ranges::kSwitch},
        {"kd4Lock", f.kd4Lock, ranges::kSwitch},
        {"kd4Mute", f.kd4Mute, ranges::kSwitch},
        {"kd4Indicator", f.kd4Indicator, ranges::kSwitch},
        {"hpfOn", f.hpfOn, ranges::kSwitch},
        {"limiterOn", f.limiterOn, ranges::kSwitch},
        {"micGain", f.micGain, ranges::kMicGain},
        {"gain2", f.gain2, ranges::kGain2Kd4},
        {"monitorMicCut", f.monitorMicCut, ranges::kMonitorCut},
        {"monitorPlaybackCut", f.monitorPlaybackCut, ranges::kMonitorCut},
        {"hpfFreq", f.hpfFreq, {0, ranges::kHpfFreq.max}},
        {"limiterLevel", f.limiterLevel, kLevel},
    };
    for (int i = 0; i < kEqBands; ++i) {
        fields.push_back({"a slider band gain", f.sliderBands[i].gain, ranges::kBandGain});
        fields.push_back({"a graph band gain", f.graphBands[i].gain, ranges::kBandGain});
        // 0 stands for the band's default frequency.
        const std::int32_t freq =
            f.graphBands[i].freq == 0 ? ranges::kBandFreq.min : f.graphBands[i].freq;
        fields.push_back({"a graph band frequency", freq, ranges::kBandFreq});
    }
    for (const Field& field : fields) {
        if (!field.range.Contains(field.value)) {
            return std::string("the file is not a preset: ") + field.name + " is " +
                   std::to_string(field.value) + " (a preset holds " +
                   std::to_string(field.range.min) + ".." + std::to_string(field.range.max) + ")";
        }
    }
    return {};
}

std::string WritePresetFile(const std::filesystem::path& path, const PresetImage& image) {
    return WriteFileAtomically(path, image);
}

}  // namespace quavelo
