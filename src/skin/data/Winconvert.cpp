#include "skin/data/Winconvert.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <limits>
#include <ostream>

#include "skin/data/Winconvert_coder.h"

namespace relayon::skin {
namespace {

using lzh::ByteInput;
using lzh::ByteOutput;
using lzh::kIoBlock;

constexpr size_t kHeaderSize = 4;

void AppendSizeHeader(std::vector<uint8_t>& out, int32_t size) {
    const auto u = static_cast<uint32_t>(size);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

void CheckDeclaredSize(int32_t declared, size_t maxOutput) {
    if (declared > 0 && static_cast<uint64_t>(declared) > maxOutput) {
        throw ElzhException("LZH : Declared size of " + std::to_string(declared) +
                            " bytes exceeds the limit of " + std::to_string(maxOutput) + " bytes");
    }
}

// Refill through a TReadProc in blocks its 16-bit count can describe.
ByteInput::Refill ReaderOf(const TReadProc& GetBytes) {
    return [&GetBytes](uint8_t* buffer, size_t capacity) -> size_t {
        uint16_t got = 0;
        const auto want = static_cast<uint16_t>(std::min(capacity, kIoBlock));
        GetBytes(buffer, want, got);
        return std::min<size_t>(got, want);  // a callback claiming more is not believed
    };
}

ByteOutput::Drain WriterOf(const TWriteProc& PutBytes) {
    return [&PutBytes](const uint8_t* data, size_t size) {
        while (size > 0) {
            const auto chunk = static_cast<uint16_t>(std::min(size, kIoBlock));
            uint16_t put = 0;
            PutBytes(data, chunk, put);
            // A short write would silently lose codes or output: refuse it.
            if (put != chunk) throw ElzhException("LZH : Output could not be written");
            data += chunk;
            size -= chunk;
        }
    };
}

ByteInput::Refill StreamRefill(std::istream& in) {
    return [&in](uint8_t* buffer, size_t capacity) -> size_t {
        in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(capacity));
        return static_cast<size_t>(in.gcount());
    };
}

ByteOutput::Drain StreamDrain(std::ostream& out) {
    return [&out](const uint8_t* data, size_t size) {
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) throw std::ios_base::failure("LZH : stream write failed");
    };
}

}  // namespace

std::vector<uint8_t> LZHPack(std::span<const uint8_t> input) {
    std::vector<uint8_t> code;
    code.reserve(input.size() / 2 + 16);
    ByteInput in(input);
    ByteOutput out([&code](const uint8_t* data, size_t size) { code.insert(code.end(), data, data + size); });
    lzh::EncodeLzh(in, out);
    out.Finish();
    return code;
}

std::vector<uint8_t> LZHUnpack(std::span<const uint8_t> code, size_t outputSize) {
    std::vector<uint8_t> plain(outputSize);
    ByteInput in(code);
    lzh::DecodeLzhInto(in, plain.data(), plain.size());
    return plain;
}

std::vector<uint8_t> PutBlockStream(std::span<const uint8_t> plain) {
    std::vector<uint8_t> container;
    container.reserve(kHeaderSize + plain.size() / 2 + 16);
    PutBlockStreamTo(plain, [&container](const uint8_t* data, size_t size) {
        container.insert(container.end(), data, data + size);
    });
    return container;
}

void PutBlockStreamTo(std::span<const uint8_t> plain,
                      const std::function<void(const uint8_t* data, size_t size)>& drain) {
    if (plain.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("LZH : input too large for the 4-byte size header");
    ByteInput in(plain);
    ByteOutput out(drain);
    // The header goes through the block buffer too: one write with the first codes.
    const auto size = static_cast<uint32_t>(plain.size());
    for (int shift = 0; shift < 32; shift += 8) out.Put(static_cast<uint8_t>(size >> shift));
    lzh::EncodeLzh(in, out);
    out.Finish();
}

int32_t BlockStreamDeclaredSize(std::span<const uint8_t> container) {
    uint32_t size = 0;
    for (size_t i = 0; i < kHeaderSize && i < container.size(); ++i) size |= static_cast<uint32_t>(container[i]) << (8 * i);
    return static_cast<int32_t>(size);
}

std::vector<uint8_t> GetBlockStream(std::span<const uint8_t> container, size_t maxOutput) {
    std::vector<uint8_t> plain(CheckedBlockStreamSize(container, maxOutput));
    GetBlockStreamInto(container, plain);
    return plain;
}

size_t CheckedBlockStreamSize(std::span<const uint8_t> container, size_t maxOutput) {
    const int32_t declared = BlockStreamDeclaredSize(container);
    if (declared <= 0) return 0;
    CheckDeclaredSize(declared, maxOutput);
    return static_cast<size_t>(declared);
}

void GetBlockStreamInto(std::span<const uint8_t> container, std::span<uint8_t> plain) {
    if (plain.empty()) return;
    ByteInput in(container.subspan(std::min(kHeaderSize, container.size())));
    lzh::DecodeLzhInto(in, plain.data(), plain.size());
}

void GetBlockStreamTo(std::span<const uint8_t> container, size_t size,
                      const std::function<void(const uint8_t* data, size_t size)>& drain) {
    ByteInput in(container.subspan(std::min(kHeaderSize, container.size())));
    lzh::DecodeLzhTo(in, size, drain);
}

void TLZH::LZHPack(int32_t& Bytes_Written, const TReadProc& GetBytes, const TWriteProc& PutBytes) {
    ByteInput in(ReaderOf(GetBytes));
    ByteOutput out(WriterOf(PutBytes));
    const int64_t consumed = lzh::EncodeLzh(in, out);
    out.Finish();
    Bytes_Written = static_cast<int32_t>(std::min<int64_t>(consumed, std::numeric_limits<int32_t>::max()));
}

void TLZH::LZHUnpack(int32_t TextSize, const TReadProc& GetBytes, const TWriteProc& PutBytes) {
    if (TextSize <= 0) return;
    ByteInput in(ReaderOf(GetBytes));
    ByteOutput out(WriterOf(PutBytes));
    lzh::DecodeLzh(in, out, TextSize, false);
    out.Finish();
}

void TLZH::GetBlockStream(void* DTA, uint16_t NBytes, uint16_t& Bytes_Got) {
    Bytes_Got = 0;
    if (StreamIn == nullptr || NBytes == 0) return;
    StreamIn->read(static_cast<char*>(DTA), NBytes);
    Bytes_Got = static_cast<uint16_t>(StreamIn->gcount());
}

void TLZH::PutBlockStream(const void* DTA, uint16_t NBytes, uint16_t& Bytes_Put) {
    Bytes_Put = 0;
    if (StreamOut == nullptr) throw std::ios_base::failure("LZH : no output stream");
    StreamOut->write(static_cast<const char*>(DTA), NBytes);
    if (!*StreamOut) throw std::ios_base::failure("LZH : stream write failed");
    Bytes_Put = NBytes;
}

TReadProc TLZH::StreamReader() {
    return [this](void* DTA, uint16_t NBytes, uint16_t& Bytes_Got) { GetBlockStream(DTA, NBytes, Bytes_Got); };
}

TWriteProc TLZH::StreamWriter() {
    return [this](const void* DTA, uint16_t NBytes, uint16_t& Bytes_Put) { PutBlockStream(DTA, NBytes, Bytes_Put); };
}

void CompressStream(std::istream& source, std::ostream& dest) {
    source.clear();
    source.seekg(0, std::ios::end);
    const std::streamoff size = source.tellg();
    source.seekg(0, std::ios::beg);
    if (size < 0 || !source) throw std::ios_base::failure("LZH : source stream is not seekable");
    if (size > std::numeric_limits<int32_t>::max())
        throw std::length_error("LZH : input too large for the 4-byte size header");

    dest.seekp(0);
    std::vector<uint8_t> header;
    AppendSizeHeader(header, static_cast<int32_t>(size));
    StreamDrain(dest)(header.data(), header.size());

    ByteInput in(StreamRefill(source));
    ByteOutput out(StreamDrain(dest));
    lzh::EncodeLzh(in, out);
    out.Finish();
}

void DecompressStream(std::istream& source, std::ostream& dest, size_t maxOutput) {
    source.clear();
    source.seekg(0, std::ios::beg);
    uint8_t header[kHeaderSize] = {};
    source.read(reinterpret_cast<char*>(header), kHeaderSize);
    const auto got = static_cast<size_t>(source.gcount());
    const int32_t declared = BlockStreamDeclaredSize(std::span<const uint8_t>(header, got));
    CheckDeclaredSize(declared, maxOutput);

    dest.seekp(0);
    if (declared <= 0) return;
    ByteInput in(StreamRefill(source));
    ByteOutput out(StreamDrain(dest));
    lzh::DecodeLzh(in, out, declared, true);
    out.Finish();
}

}  // namespace relayon::skin
