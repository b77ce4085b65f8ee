#include <gtest/gtest.h>

#include <fstream>

#include "app/SimulatedSession.h"
#include "device/ParamRange.h"
#include "sim/SettingsStoreFile.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

SettingsStoreImage Marked(std::uint8_t mark) {
    SettingsStoreImage image{};
    image[0x80] = mark;
    return image;
}

TEST(SimulatedSessionTest, StoreFileGoesToTheFirstConnectOfAModelAndComesBackFromTheLast) {
    test::TempDir dir;
    const auto file = dir.Path() / "device.bin";
    ASSERT_EQ(WriteSettingsStoreFile(file, Marked(7)), "");
    std::string error;
    auto session = SimulatedSession::Create({file, std::nullopt}, error);
    ASSERT_NE(session, nullptr) << error;

    EXPECT_EQ(session->Device(kModelKd4).Store()[0x80], 0) << "not loaded before a connect";
    session->PrepareConnect(kModelKd4);
    EXPECT_EQ(session->Device(kModelKd4).Store()[0x80], 7);
    EXPECT_EQ(session->Device(kModelTorva).Store()[0x80], 0);

    // A change on the device survives a second connect of the same model and is saved.
    SettingsStoreImage changed = session->Device(kModelKd4).Store();
    changed[0x80] = 9;
    session->Device(kModelKd4).ReplaceStore(changed);
    session->PrepareConnect(kModelKd4);
    EXPECT_EQ(session->Device(kModelKd4).Store()[0x80], 9);
    EXPECT_EQ(session->SaveStore(), "");
    EXPECT_EQ(ReadSettingsStoreFile(file).image[0x80], 9);
}

TEST(SimulatedSessionTest, NothingIsSavedBeforeAConnect) {
    test::TempDir dir;
    const auto file = dir.Path() / "new.bin";
    std::string error;
    auto session = SimulatedSession::Create({file, std::nullopt}, error);
    ASSERT_NE(session, nullptr) << error;
    EXPECT_EQ(session->SaveStore(), "");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SimulatedSessionTest, RefusedStoreFileAndUnwritableTraceAreErrors) {
    test::TempDir dir;
    const auto shortFile = dir.Path() / "short.bin";
    std::ofstream(shortFile) << "12 bytes....";
    std::string error;
    EXPECT_EQ(SimulatedSession::Create({shortFile, std::nullopt}, error), nullptr);
    EXPECT_NE(error.find("short.bin"), std::string::npos) << error;

    error.clear();
    EXPECT_EQ(SimulatedSession::Create({std::nullopt, dir.Path()}, error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(SimulatedSessionTest, TraceRecordsTheWire) {
    test::TempDir dir;
    const auto trace = dir.Path() / "wire.txt";
    std::string error;
    auto session = SimulatedSession::Create({std::nullopt, trace}, error);
    ASSERT_NE(session, nullptr) << error;
    auto device = session->Backend().Open("sim:kd4", error);
    ASSERT_NE(device, nullptr) << error;
    const std::uint8_t report[16] = {0xFF, 0x70, 0x00, 0xAE, 0x04, 0x01};
    ASSERT_TRUE(device->Write(report));
    device.reset();
    EXPECT_NE(test::ReadFile(trace).find(" W FF 70 00 AE 04 01"), std::string::npos);
}

TEST(SimulatedSessionTest, UnpluggingAnnouncesTheRemoval) {
    std::string error;
    auto session = SimulatedSession::Create({}, error);
    ASSERT_NE(session, nullptr) << error;
    session->Device(kModelTorva).Unplug();
    EXPECT_EQ(session->RemovalMonitor().TakeRemovedPaths(), std::vector<std::string>{"sim:torva"});
}

}  // namespace
}  // namespace quavelo
