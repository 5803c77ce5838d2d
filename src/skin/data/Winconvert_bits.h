#pragma once
// Buffered byte and bit I/O for the LZH coder. Bytes move in blocks through
// a refill/drain function (never one call per byte); bits go out and come in
// most significant first, the last byte padded with zero bits.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

namespace relayon::skin::lzh {

inline constexpr size_t kIoBlock = 0xFFFF;  // largest block a 16-bit count can describe

// Byte source over a memory range, optionally refilled from a function.
class ByteInput {
public:
    // Delivers up to `capacity` bytes into `buffer`; 0 means the input is exhausted.
    using Refill = std::function<size_t(uint8_t* buffer, size_t capacity)>;

    explicit ByteInput(std::span<const uint8_t> data)
        : p_(data.data()), end_(data.data() + data.size()) {}
    explicit ByteInput(Refill refill) : refill_(std::move(refill)), buffer_(kIoBlock) {}

    // Next byte, or -1 once the input is exhausted.
    int Get() {
        if (p_ == end_ && !Fill()) return -1;
        return *p_++;
    }
    // Next byte; a byte that cannot be read counts as zero.
    uint8_t GetOrZero() {
        if (p_ == end_ && !Fill()) return 0;
        return *p_++;
    }
    // The bytes buffered now (more may follow after a refill), and a way to
    // consume some of them.
    size_t Buffered() const { return static_cast<size_t>(end_ - p_); }
    const uint8_t* Peek() const { return p_; }
    void Consume(size_t n) { p_ += n; }  // n <= Buffered()

private:
    bool Fill();

    const uint8_t* p_ = nullptr;
    const uint8_t* end_ = nullptr;
    Refill refill_;
    std::vector<uint8_t> buffer_;
    bool exhausted_ = false;
};

// Byte sink: a block buffer drained through a function when full.
class ByteOutput {
public:
    using Drain = std::function<void(const uint8_t* data, size_t size)>;

    explicit ByteOutput(Drain drain);

    void Put(uint8_t b) {
        if (cur_ == end_) Finish();
        *cur_++ = b;
    }
    // Drains what is buffered.
    void Finish();

private:

    uint8_t* cur_ = nullptr;
    uint8_t* end_ = nullptr;
    Drain drain_;
    std::vector<uint8_t> buffer_;
};

class BitWriter {
public:
    explicit BitWriter(ByteOutput& out) : out_(out) {}

    // Appends the low `n` bits of `bits` (n = 1..32), most significant first.
    void Put(int n, uint32_t bits) {
        acc_ = (acc_ << n) | bits;
        count_ += n;
        if (count_ >= 32) {
            count_ -= 32;
            const uint32_t word = static_cast<uint32_t>(acc_ >> count_);
            out_.Put(static_cast<uint8_t>(word >> 24));
            out_.Put(static_cast<uint8_t>(word >> 16));
            out_.Put(static_cast<uint8_t>(word >> 8));
            out_.Put(static_cast<uint8_t>(word));
        }
    }
    // Writes the pending bits, the last byte padded with zero bits.
    void Flush() {
        while (count_ >= 8) {
            count_ -= 8;
            out_.Put(static_cast<uint8_t>(acc_ >> count_));
        }
        if (count_ > 0) out_.Put(static_cast<uint8_t>(acc_ << (8 - count_)));
        count_ = 0;
    }

private:
    ByteOutput& out_;
    uint64_t acc_ = 0;
    int count_ = 0;  // pending bits in the low end of acc_, < 32 between calls
};

class BitReader {
public:
    explicit BitReader(ByteInput& in) : in_(in) {}

    unsigned GetBit() {
        if (count_ == 0) Refill();
        const unsigned bit = static_cast<unsigned>(acc_ >> 63);
        acc_ <<= 1;
        --count_;
        return bit;
    }
    // Next `n` bits (1..32) as a number, first bit most significant.
    uint32_t GetBits(int n) {
        if (count_ < n) Refill();
        const uint32_t v = static_cast<uint32_t>(acc_ >> (64 - n));
        acc_ <<= n;
        count_ -= n;
        return v;
    }
    // The next `n` bits (1..32) without consuming them.
    uint32_t PeekBits(int n) {
        if (count_ < n) Refill();
        return static_cast<uint32_t>(acc_ >> (64 - n));
    }
    // At least 57 unread bits, left-aligned (missing input reads as zeros).
    uint64_t Window() {
        if (count_ <= 56) Refill();
        return acc_;
    }
    void Skip(int n) {  // only after PeekBits(>= n) or Window() (n <= 57)
        acc_ <<= n;
        count_ -= n;
    }

private:
    // Tops the window up with whole bytes to 57..64 bits.
    void Refill() {
        if (in_.Buffered() >= 8) {
            // All the bytes at once: a byte-by-byte loop would run a
            // different number of times on nearly every call and mispredict
            // its exit each time.
            uint64_t word;
            std::memcpy(&word, in_.Peek(), 8);
            if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
            const int take = (64 - count_) >> 3;  // count_ <= 56, so 1..8
            if (take < 8) word &= ~(~uint64_t{0} >> (8 * take));
            acc_ |= word >> count_;
            count_ += 8 * take;
            in_.Consume(static_cast<size_t>(take));
            return;
        }
        while (count_ <= 56) {
            acc_ |= static_cast<uint64_t>(in_.GetOrZero()) << (56 - count_);
            count_ += 8;
        }
    }

    ByteInput& in_;
    uint64_t acc_ = 0;  // unread bits, left-aligned
    int count_ = 0;
};

}  // namespace relayon::skin::lzh
