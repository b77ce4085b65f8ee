#include "sim/SettingsStore.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/ParamRange.h"
#include "support/EventTrace.h"

namespace quavelo {
namespace {

using test::PaddedHex;
using test::TraceHex;

std::string StoreHex(const SettingsStoreImage& image, std::uint8_t address, std::size_t count) {
    return TraceHex(std::span(image).subspan(address, count));
}

struct InitialBlock {
    std::uint8_t address;
    const char* torva;
    const char* kd4;
};

// The panel's initial settings in each model's layout: limiter on at level 1, high-pass on at
// 75 Hz, monitor balance 0 (playback cut 80), gains 0, equaliser on with the slider set (stored
// as 1), the five bands at 100, 250, 1000, 4000 and 10000 Hz with Q 2 and 0 dB.
// clang-format off
constexpr InitialBlock kInitialBlocks[] = {
    {0x00, "00 01 01 01 01 00 00 00 01 01", "00 01 01 01 01 00 AA 00 01 01"},
    {0x10, "00 64 02 00",                   "00 64 02 00"},
    {0x18, "00 FA 02 00",                   "00 FA 02 00"},
    {0x20, "03 E8 02 00",                   "03 E8 02 00"},
    {0x28, "0F A0 02 00",                   "0F A0 02 00"},
    {0x30, "27 10 02 00",                   "27 10 02 00"},
    {0x40, "00 00 00 00 00",                "00 00 00 00 00 00 00 00 00"},
};
// clang-format on

TEST(SettingsStoreTest, NewStoreHoldsTheInitialSettingsInTheModelsLayout) {
    for (const std::int32_t model : {kModelTorva, kModelKd4}) {
        const SettingsStoreImage image = InitialSettingsStore(model);
        std::set<std::size_t> used;
        for (const InitialBlock& block : kInitialBlocks) {
            const std::string expected = model == kModelKd4 ? block.kd4 : block.torva;
            const std::size_t count = (expected.size() + 1) / 3;
            EXPECT_EQ(StoreHex(image, block.address, count), expected)
                << "model " << model << ", block " << int{block.address};
            for (std::size_t i = 0; i < count; ++i) used.insert(block.address + i);
        }
        for (std::size_t i = 0; i < image.size(); ++i) {
            if (!used.contains(i)) {
                EXPECT_EQ(image[i], 0) << "byte " << i;
            }
        }
    }
}

struct AnswerCase {
    std::uint16_t address;
    std::uint8_t count;
    std::optional<const char*> answer;
};

// The store filled with its own addresses, so each answer shows where its bytes came from.
SettingsStore AddressedStore() {
    SettingsStoreImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i);
    return SettingsStore(image);
}

TEST(SettingsStoreTest, ReadRequestsAreAnsweredFromTheStoreInsideItsEnd) {
    // clang-format off
    const AnswerCase cases[] = {
        {0x0000, 10, "FF A0 00 00 0A 01 00 01 02 03 04 05 06 07 08 09"},
        {0x0040,  9, "FF A0 00 40 09 01 40 41 42 43 44 45 46 47 48"},
        {0x0030,  4, "FF A0 00 30 04 01 30 31 32 33"},
        {0x0030, 11, "FF A0 00 30 0A 01 30 31 32 33 34 35 36 37 38 39"},  // 10 bytes fit
        {0x0020,  0, "FF A0 00 20 00 01"},
        {0x00F6, 10, "FF A0 00 F6 0A 01 F6 F7 F8 F9 FA FB FC FD FE FF"},  // the last ten
        {0x00FF,  1, "FF A0 00 FF 01 01 FF"},
        {0x00F7, 10, std::nullopt},                                       // one past the end
        {0x0100,  0, std::nullopt},
        {0x4000,  4, std::nullopt},
    };
    // clang-format on
    const SettingsStore store = AddressedStore();
    for (const AnswerCase& c : cases) {
        const std::optional<Report> answer = store.Answer(c.address, c.count);
        if (!c.answer) {
            EXPECT_FALSE(answer) << c.address;
            continue;
        }
        ASSERT_TRUE(answer) << c.address;
        EXPECT_EQ(TraceHex(*answer), PaddedHex(*c.answer)) << c.address;
    }
}

TEST(SettingsStoreTest, WritesStayInsideTheStore) {
    SettingsStore store(SettingsStoreImage{});
    const std::vector<std::uint8_t> ten(10, 0xEE);
    EXPECT_TRUE(store.Write(0x00F6, ten));
    EXPECT_EQ(StoreHex(store.Image(), 0xF6, 10), "EE EE EE EE EE EE EE EE EE EE");

    const SettingsStoreImage before = store.Image();
    EXPECT_FALSE(store.Write(0x00F7, ten)) << "one byte past the end";
    EXPECT_FALSE(store.Write(0x0100, std::vector<std::uint8_t>{}));
    EXPECT_FALSE(store.Write(0xFFFF, std::vector<std::uint8_t>{1}));
    EXPECT_EQ(store.Image(), before);

    const std::vector<std::uint8_t> twelve(12, 0x11);
    EXPECT_TRUE(store.Write(0x0000, twelve));
    EXPECT_EQ(StoreHex(store.Image(), 0x00, 12), "11 11 11 11 11 11 11 11 11 11 00 00")
        << "a report carries at most ten data bytes";
}

TEST(SettingsStoreTest, Kd4StatusBlockCarriesTheControlsAsStored) {
    SettingsStore store(InitialSettingsStore(kModelKd4));
    store.SetByte(storebyte::kMicGain, 47);
    store.SetByte(storebyte::kGain2Kd4, 80);
    store.SetByte(storebyte::kBalance, 85);
    store.SetByte(storebyte::kMuteKd4, 1);
    store.SetByte(storebyte::kLockKd4, 1);
    EXPECT_EQ(TraceHex(store.StatusBlockKd4()), PaddedHex("FF A0 00 50 05 01 2F 50 55 01 01"));
}

}  // namespace
}  // namespace quavelo
