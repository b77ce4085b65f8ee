#pragma once

#include <atomic>
#include <cstdint>

namespace quavelo {

// A 32-bit field of the parameter model that several threads read and write without a lock.
// It reads and writes like a plain int32_t; every access is whole and atomic (relaxed order), so
// a reader never sees a torn value. Ordering between fields comes from the hand-shake flags.
class SharedInt {
  public:
    constexpr SharedInt(std::int32_t value = 0) noexcept : value_(value) {}
    SharedInt(const SharedInt&) = delete;
    SharedInt& operator=(const SharedInt&) = delete;

    operator std::int32_t() const noexcept { return value_.load(std::memory_order_relaxed); }
    SharedInt& operator=(std::int32_t value) noexcept {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }

  private:
    std::atomic<std::int32_t> value_;
};

// A field of the parameter model that holds one value of an enumeration, shared as SharedInt is.
template <typename Enum>
class SharedEnum {
  public:
    constexpr SharedEnum(Enum value) noexcept : value_(value) {}
    SharedEnum(const SharedEnum&) = delete;
    SharedEnum& operator=(const SharedEnum&) = delete;

    operator Enum() const noexcept { return value_.load(std::memory_order_relaxed); }
    SharedEnum& operator=(Enum value) noexcept {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }

  private:
    std::atomic<Enum> value_;
};

// A hand-shake flag: setting it publishes every field written before it (release), and a thread
// that reads it as set sees those fields (acquire).
class HandshakeFlag {
  public:
    constexpr HandshakeFlag(std::int32_t value = 0) noexcept : value_(value) {}
    HandshakeFlag(const HandshakeFlag&) = delete;
    HandshakeFlag& operator=(const HandshakeFlag&) = delete;

    operator std::int32_t() const noexcept { return value_.load(std::memory_order_acquire); }
    HandshakeFlag& operator=(std::int32_t value) noexcept {
        value_.store(value, std::memory_order_release);
        return *this;
    }
    // For two threads that each raise their own flag and then read the other's (the send worker's
    // commandBusy, the level poller's pollBusy): both sequentially consistent, so at least one of
    // the two sees the other raised.
    void RaiseSeqCst() noexcept { value_.store(1, std::memory_order_seq_cst); }
    std::int32_t LoadSeqCst() const noexcept { return value_.load(std::memory_order_seq_cst); }
    // Sets the flag to `value` and returns what it held before, in one atomic step.
    std::int32_t Exchange(std::int32_t value) noexcept {
        return value_.exchange(value, std::memory_order_acq_rel);
    }

  private:
    std::atomic<std::int32_t> value_;
};

}  // namespace quavelo
