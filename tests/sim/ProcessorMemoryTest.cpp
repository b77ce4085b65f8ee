#include "sim/ProcessorMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "device/DeviceMap.h"

namespace quavelo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Word(std::uint32_t w) {
    return {static_cast<std::uint8_t>(w >> 24), static_cast<std::uint8_t>(w >> 16),
            static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w)};
}

constexpr Coefficients kWords{0x00840693, static_cast<std::int32_t>(0xFF0A35EA), 0x0073E276,
                              0x00F5CA16, static_cast<std::int32_t>(0xFF8816F7)};

void Stage(ProcessorMemory& memory, const Coefficients& words, std::uint16_t target) {
    for (std::uint16_t i = 0; i < 5; ++i) {
        memory.Write(dsp::kSafeloadData + i, Word(static_cast<std::uint32_t>(words[i])));
    }
    memory.Write(dsp::kSafeloadTarget, Word(target));
}

TEST(ProcessorMemoryTest, KeepsTheLastValueWrittenAtEachAddress) {
    struct Case {
        Bytes data;
        std::optional<std::uint32_t> value;
    };
    const Case cases[] = {
        {{0x43}, 0x43},  // a codec register byte
        {{0x12, 0x34}, 0x1234},
        {Word(0xFF0A35EA), 0xFF0A35EA},   // a parameter, high byte first
        {{}, std::nullopt},               // nothing to store
        {{1, 2, 3, 4, 5}, std::nullopt},  // longer than a parameter
    };
    for (const Case& c : cases) {
        ProcessorMemory memory;
        EXPECT_EQ(memory.Write(0x400E, c.data), c.value.has_value());
        EXPECT_EQ(memory.Value(0x400E), c.value);
    }
    ProcessorMemory memory;
    memory.Write(0x000A, Word(1));
    memory.Write(0x000A, Word(2));
    EXPECT_EQ(memory.Value(0x000A), 2u);
    EXPECT_EQ(memory.Value(0x000B), std::nullopt);
    memory.Clear();
    EXPECT_EQ(memory.Value(0x000A), std::nullopt);
}

TEST(ProcessorMemoryTest, CountFiveMovesTheStagedWordsToTheTarget) {
    ProcessorMemory memory;
    Stage(memory, kWords, dsp::EqFilter(3));
    EXPECT_EQ(memory.Words(dsp::EqFilter(3)), std::nullopt) << "staged, not yet loaded";
    memory.Write(dsp::kSafeloadCount, Word(5));
    EXPECT_EQ(memory.Words(dsp::EqFilter(3)), kWords);
    EXPECT_EQ(memory.Words(dsp::EqFilter(2)), std::nullopt);
    EXPECT_EQ(memory.Words(dsp::kSafeloadData), kWords) << "the staging words stay";
}

TEST(ProcessorMemoryTest, CountMovesThatManyWordsAndNoneOutsideOneToFive) {
    struct Case {
        std::uint32_t count;
        int moved;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {3, 3}, {5, 5}, {6, 0}, {0x80000005, 0}};
    for (const Case& c : cases) {
        ProcessorMemory memory;
        Stage(memory, kWords, dsp::kHighPass);
        memory.Write(dsp::kSafeloadCount, Word(c.count));
        for (int i = 0; i < 5; ++i) {
            const auto value = memory.Value(static_cast<std::uint16_t>(dsp::kHighPass + i));
            if (i < c.moved) {
                EXPECT_EQ(value, static_cast<std::uint32_t>(kWords[i])) << c.count << " " << i;
            } else {
                EXPECT_EQ(value, std::nullopt) << c.count << " " << i;
            }
        }
    }
}

TEST(ProcessorMemoryTest, CountWithoutATargetMovesNothing) {
    ProcessorMemory memory;
    for (std::uint16_t i = 0; i < 5; ++i) memory.Write(dsp::kSafeloadData + i, Word(i));
    memory.Write(dsp::kSafeloadCount, Word(5));
    EXPECT_EQ(memory.Value(0x0000), std::nullopt);
    EXPECT_EQ(memory.Words(dsp::EqFilter(1)), std::nullopt);
}

TEST(SimulatedLevelTest, SlowWaveInsideFullScaleWithChannelsApart) {
    constexpr int kPeriod = 200;
    std::int32_t low = kLevelFullScale;
    std::int32_t high = 0;
    for (std::uint32_t step = 0; step < kPeriod; ++step) {
        for (int channel = 0; channel < 2; ++channel) {
            const std::int32_t level = SimulatedLevel(channel, step);
            EXPECT_GE(level, 0);
            EXPECT_LE(level, kLevelFullScale);
            EXPECT_LT(std::abs(SimulatedLevel(channel, step + 1) - level), kLevelFullScale / 50)
                << "one request moves the level by less than 2 % of full scale";
            EXPECT_EQ(SimulatedLevel(channel, step + kPeriod), level);
        }
        low = std::min(low, SimulatedLevel(0, step));
        high = std::max(high, SimulatedLevel(0, step));
    }
    EXPECT_LT(low, kLevelFullScale / 10);
    EXPECT_GT(high, kLevelFullScale * 9 / 10);
    EXPECT_NE(SimulatedLevel(0, 0), SimulatedLevel(1, 0));
}

}  // namespace
}  // namespace quavelo
