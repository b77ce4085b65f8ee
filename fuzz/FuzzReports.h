#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceParams.h"
#include "device/Report.h"
#include "support/ParamsInRange.h"

namespace quavelo::fuzz {

// One 16-byte input report with the bytes it really carried.
struct FuzzReport {
    Report bytes{};
    std::uint8_t length = 0;
};

// The fuzzer's input cut into 16-byte reports; a short tail becomes a short report.
inline std::vector<FuzzReport> SplitIntoReports(std::span<const std::uint8_t> data) {
    std::vector<FuzzReport> reports;
    for (std::size_t offset = 0; offset < data.size(); offset += kReportSize) {
        FuzzReport report;
        const std::size_t n = std::min(kReportSize, data.size() - offset);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(offset), n, report.bytes.begin());
        report.length = static_cast<std::uint8_t>(n);
        reports.push_back(report);
    }
    return reports;
}

// Stops the run with the names of the fields that left their ranges.
inline void RequireInRange(const DeviceParams& params) {
    const std::vector<std::string> bad = test::FieldsOutOfRange(params);
    if (bad.empty()) return;
    for (const std::string& field : bad) std::fprintf(stderr, "out of range: %s\n", field.c_str());
    std::abort();
}

}  // namespace quavelo::fuzz
