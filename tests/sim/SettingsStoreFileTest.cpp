#include "sim/SettingsStoreFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "device/ParamRange.h"
#include "sim/SimulatedDevice.h"
#include "support/TempDir.h"

namespace quavelo {
namespace {

namespace fs = std::filesystem;

SettingsStoreImage Counting() {
    SettingsStoreImage image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(255 - i);
    return image;
}

void WriteBytes(const fs::path& path, std::size_t count) {
    std::ofstream(path, std::ios::binary) << std::string(count, '\x07');
}

TEST(SettingsStoreFileTest, SavedImageLoadsBackByteForByte) {
    test::TempDir dir;
    const fs::path path = dir.Path() / "kd4.store";
    ASSERT_EQ(WriteSettingsStoreFile(path, Counting()), "");
    EXPECT_EQ(fs::file_size(path), kSettingsStoreSize) << "the store bytes and nothing else";
    const StoreFileResult loaded = ReadSettingsStoreFile(path);
    EXPECT_EQ(loaded.status, StoreFileStatus::kLoaded);
    EXPECT_EQ(loaded.image, Counting());
    EXPECT_EQ(loaded.error, "");

    ASSERT_EQ(WriteSettingsStoreFile(path, SettingsStoreImage{}), "");
    EXPECT_EQ(ReadSettingsStoreFile(path).image, SettingsStoreImage{}) << "replaced";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1)
        << "no temporary file stays behind";
}

TEST(SettingsStoreFileTest, MissingFileIsNoError) {
    test::TempDir dir;
    const StoreFileResult result = ReadSettingsStoreFile(dir.Path() / "none.store");
    EXPECT_EQ(result.status, StoreFileStatus::kMissing);
    EXPECT_EQ(result.error, "");
}

TEST(SettingsStoreFileTest, DamagedFilesAreRefusedWithTheReason) {
    struct Case {
        std::size_t size;
        const char* error;
    };
    const Case cases[] = {
        {0, "the file holds 0 bytes, not 256"},
        {255, "the file holds 255 bytes, not 256"},
        {257, "the file holds more than 256 bytes"},
        {708, "the file holds more than 256 bytes"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        const fs::path path = dir.Path() / ("damaged" + std::to_string(c.size));
        WriteBytes(path, c.size);
        const StoreFileResult result = ReadSettingsStoreFile(path);
        EXPECT_EQ(result.status, StoreFileStatus::kRefused) << c.size;
        EXPECT_EQ(result.error, c.error);
    }
    const StoreFileResult folder = ReadSettingsStoreFile(dir.Path());
    EXPECT_EQ(folder.status, StoreFileStatus::kRefused);
    EXPECT_EQ(folder.error, "cannot read: Is a directory");
}

TEST(SettingsStoreFileTest, DeviceTakesOnlyAWholeImage) {
    test::TempDir dir;
    auto device = SimulatedDevice::Create(kModelKd4, "sim:kd4");
    const SettingsStoreImage initial = device->Store();

    EXPECT_EQ(device->LoadStoreFile(dir.Path() / "none").status, StoreFileStatus::kMissing);
    EXPECT_EQ(device->Store(), initial);

    WriteBytes(dir.Path() / "short", 100);
    EXPECT_EQ(device->LoadStoreFile(dir.Path() / "short").status, StoreFileStatus::kRefused);
    EXPECT_EQ(device->Store(), initial) << "a refused file leaves the initial store";

    ASSERT_EQ(WriteSettingsStoreFile(dir.Path() / "good", Counting()), "");
    EXPECT_EQ(device->LoadStoreFile(dir.Path() / "good").status, StoreFileStatus::kLoaded);
    EXPECT_EQ(device->Store(), Counting());

    EXPECT_EQ(device->SaveStoreFile(dir.Path() / "saved"), "");
    EXPECT_EQ(ReadSettingsStoreFile(dir.Path() / "saved").image, Counting());
    EXPECT_NE(device->SaveStoreFile(dir.Path() / "absent" / "saved"), "");
}

}  // namespace
}  // namespace quavelo
