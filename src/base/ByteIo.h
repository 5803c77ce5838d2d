#pragma once
// Little-endian reading and writing of bytes: the one codec of multi-byte
// integers for every binary format of the program (bitmap files, skin
// packages, the settings file, the size word of the LZH container). Header
// only and free of any platform header, so every layer can include it.
//
// ByteReader walks a borrowed span. A read that would run past the end reads
// nothing, yields zero (Take: an empty span) and turns Ok() false for good;
// from then on every read yields zero too. A parser may therefore read a
// whole header and test Ok() once: it never works on a mix of real and
// missing fields, and it never reads outside the span whatever it asks for.
//
// ByteWriter appends to a byte vector it borrows.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace relayon {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }
    size_t Pos() const { return pos_; }
    size_t Size() const { return bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - pos_; }

    // Moves to an absolute offset (the end itself is allowed). An offset past
    // the end fails; a reader that has failed stays where it is.
    void Seek(size_t offset) {
        if (!ok_) return;
        if (offset > bytes_.size()) {
            Fail();
            return;
        }
        pos_ = offset;
    }
    void Skip(size_t count) { (void)Take(count); }

    // The next `count` bytes, or an empty span (and failure) when fewer remain.
    std::span<const uint8_t> Take(size_t count) {
        if (count > Remaining()) {
            Fail();
            return {};
        }
        const std::span<const uint8_t> part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }

    uint8_t U8() { return static_cast<uint8_t>(Little(1)); }
    uint16_t U16() { return static_cast<uint16_t>(Little(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Little(4)); }
    uint64_t U64() { return Little(8); }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    int64_t I64() { return static_cast<int64_t>(U64()); }
    // IEEE 754 binary64, stored as its 8 bytes little-endian.
    double F64() { return std::bit_cast<double>(U64()); }

private:
    uint64_t Little(size_t width) {
        const std::span<const uint8_t> b = Take(width);
        uint64_t value = 0;
        for (size_t i = 0; i < b.size(); ++i) value |= static_cast<uint64_t>(b[i]) << (8 * i);
        return value;
    }
    // Parking the position at the end makes every later read fail as well.
    void Fail() {
        ok_ = false;
        pos_ = bytes_.size();
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void U8(uint8_t v) { out_.push_back(v); }
    void U16(uint16_t v) { Little(v, 2); }
    void U32(uint32_t v) { Little(v, 4); }
    void U64(uint64_t v) { Little(v, 8); }
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void I64(int64_t v) { U64(static_cast<uint64_t>(v)); }
    void F64(double v) { U64(std::bit_cast<uint64_t>(v)); }
    void Bytes(std::span<const uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void Zeros(size_t count) { out_.insert(out_.end(), count, uint8_t{0}); }

    size_t Size() const { return out_.size(); }

private:
    void Little(uint64_t v, size_t width) {
        for (size_t i = 0; i < width; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }

    std::vector<uint8_t>& out_;
};

}  // namespace relayon
