#pragma once

#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

#include "link/HidControl.h"
#include "link/LinkPeer.h"

// The link tests that run against every kind of peer (HidControlLinkTest.cpp). A test program
// instantiates them with its peers:
//   INSTANTIATE_TEST_SUITE_P(Peers, HidControlLinkTest, testing::Values(PeerKind{...}), ...);

namespace quavelo::linktest {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

inline milliseconds TimeOf(const std::function<void()>& action) {
    const Clock::time_point start = Clock::now();
    action();
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

inline HidReport Numbered(std::uint8_t n) {
    HidReport r{};
    r[0] = 0xFF;
    r[1] = 0x70;
    for (std::size_t i = 2; i < r.size(); ++i) {
        r[i] = static_cast<std::uint8_t>(n + i);
    }
    return r;
}

inline std::vector<std::uint8_t> Bytes(const HidReport& r) { return {r.begin(), r.end()}; }

inline int ThreadCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(dir)) {
            count += entry->d_name[0] != '.';
        }
        closedir(dir);
    }
    return count;
}

// A joined thread can stay listed in /proc/self/task for a moment while the kernel finishes its
// exit, so a count that should fall is given a short while to do so.
inline bool ThreadCountBecomes(int expected) {
    const Clock::time_point giveUp = Clock::now() + milliseconds(1000);
    while (ThreadCount() != expected) {
        if (Clock::now() >= giveUp) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(5));
    }
    return true;
}

// Collects what the reader thread hands over.
class Received {
  public:
    InputReportHandler Handler() {
        return [this](const HidReport& report, std::size_t length) {
            std::lock_guard lock(lock_);
            reports_.push_back(report);
            lengths_.push_back(length);
            arrived_.notify_all();
        };
    }
    bool WaitFor(std::size_t count) {
        std::unique_lock lock(lock_);
        return arrived_.wait_for(lock, milliseconds(2000),
                                 [&] { return reports_.size() >= count; });
    }
    std::vector<HidReport> Reports() {
        std::lock_guard lock(lock_);
        return reports_;
    }
    std::vector<std::size_t> Lengths() {
        std::lock_guard lock(lock_);
        return lengths_;
    }

  private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<HidReport> reports_;
    std::vector<std::size_t> lengths_;
};

using PeerFactory = std::function<std::unique_ptr<LinkPeer>()>;

struct PeerKind {
    const char* name;
    PeerFactory make;
};

inline void PrintTo(const PeerKind& kind, std::ostream* out) { *out << kind.name; }

class HidControlLinkTest : public testing::TestWithParam<PeerKind> {
  protected:
    void SetUp() override {
        peer_ = GetParam().make();
        link_ = std::make_unique<HidControl>(peer_->Backend(), state_);
        ASSERT_TRUE(link_->FindAndOpen(LinkPeer::kVendor, LinkPeer::kProduct));
    }
    void TearDown() override {
        if (link_) {
            link_->Close();
        }
    }

    LinkState state_;
    std::unique_ptr<LinkPeer> peer_;
    std::unique_ptr<HidControl> link_;
};

}  // namespace quavelo::linktest
