#pragma once
// LZH codec of the skin engine: an LZSS sliding dictionary (4096-byte ring
// buffer, matches of 3..60 bytes) whose literals and match lengths are coded
// with an adaptive Huffman tree of 314 symbols, and whose match positions are
// coded with a fixed prefix code for the upper 6 bits plus 6 verbatim bits.
// The code stream is the classic LZHUF stream with N 4096, F 60, THRESHOLD 2,
// so it interoperates with any coder of that stream.
//
// Compressed-stream container (skin packages, compressed INI files):
//
//   offset  size  content
//   0       4     uncompressed size, little-endian signed 32-bit
//   4       ...   LZHUF code stream: no length field, no end marker,
//                 no checksum; the last byte is padded with zero bits
//
// Hostile input: decoding never reads outside the code buffer (missing code
// bytes read as zero) and never writes outside its ring buffer or the output
// (every position is 12 bits wide by construction). A negative declared size
// decodes to nothing; a declared size above the caller's limit is refused
// with ElzhException before anything is allocated.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace relayon::skin {

// The codec's own error type.
class ElzhException : public std::runtime_error {
public:
    explicit ElzhException(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kLzhNoMemoryText = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* kLzhFreeErrorText = "LZH : Error freeing memory for dictionary tables";

// Raw code stream of `input` (no size header). Always at least one code byte:
// an empty input still codes one stray literal, as every LZHUF coder does.
std::vector<uint8_t> LZHPack(std::span<const uint8_t> input);

// Decodes `code` until exactly `outputSize` bytes were produced. Missing code
// bytes read as zero (truncation is not detectable in this format); excess
// code bytes are ignored; a final match running past `outputSize` is cut.
std::vector<uint8_t> LZHUnpack(std::span<const uint8_t> code, size_t outputSize);

// Container form: 4-byte little-endian size, then LZHPack(plain).
// Throws std::length_error when `plain` does not fit a signed 32-bit size.
std::vector<uint8_t> PutBlockStream(std::span<const uint8_t> plain);
// The same container handed on in blocks of up to 64 KiB as it is coded,
// size header first, for a caller that writes it out instead of holding it.
void PutBlockStreamTo(std::span<const uint8_t> plain,
                      const std::function<void(const uint8_t* data, size_t size)>& drain);

// Decodes a container. A negative declared size gives an empty result; a
// declared size above `maxOutput` throws ElzhException (a corrupt header must
// not make us allocate gigabytes). Header bytes missing from a container
// shorter than 4 bytes read as zero, like missing code bytes.
std::vector<uint8_t> GetBlockStream(std::span<const uint8_t> container, size_t maxOutput);

// The declared size of a container (missing header bytes read as zero).
int32_t BlockStreamDeclaredSize(std::span<const uint8_t> container);

// GetBlockStream in two steps, for callers that own the output memory:
// CheckedBlockStreamSize gives the size the result will have (0 for a
// negative declared size) or throws ElzhException above `maxOutput`;
// GetBlockStreamInto then decodes exactly `plain.size()` bytes into `plain`.
size_t CheckedBlockStreamSize(std::span<const uint8_t> container, size_t maxOutput);
void GetBlockStreamInto(std::span<const uint8_t> container, std::span<uint8_t> plain);
// The same decode of `size` bytes handed on in blocks of up to 64 KiB, for a
// caller that writes them out instead of holding the whole result.
void GetBlockStreamTo(std::span<const uint8_t> container, size_t size,
                      const std::function<void(const uint8_t* data, size_t size)>& drain);

// Callback form of the codec, for callers that move bytes through their own
// streams. The callbacks are called with blocks of up to 65535 bytes (not one
// byte per call); the code stream is the same as the span functions produce.
//   TReadProc:  fill up to NBytes bytes at DTA, report the count in Bytes_Got;
//               0 means the input is exhausted.
//   TWriteProc: write the NBytes bytes at DTA, report the count in Bytes_Put.
using TReadProc = std::function<void(void* DTA, uint16_t NBytes, uint16_t& Bytes_Got)>;
using TWriteProc = std::function<void(const void* DTA, uint16_t NBytes, uint16_t& Bytes_Put)>;

class TLZH {
public:
    // Source of GetBlockStream and sink of PutBlockStream (not owned).
    std::istream* StreamIn = nullptr;
    std::ostream* StreamOut = nullptr;

    // Compresses everything GetBytes delivers; Bytes_Written receives the
    // number of input bytes consumed (not the number of code bytes).
    void LZHPack(int32_t& Bytes_Written, const TReadProc& GetBytes, const TWriteProc& PutBytes);

    // Decodes until TextSize bytes were produced (nothing for TextSize <= 0).
    // A final match running past TextSize is written whole, as the classic
    // decoder does; missing code bytes read as zero.
    void LZHUnpack(int32_t TextSize, const TReadProc& GetBytes, const TWriteProc& PutBytes);

    // TReadProc over StreamIn: delivers up to NBytes, fewer at the end.
    void GetBlockStream(void* DTA, uint16_t NBytes, uint16_t& Bytes_Got);
    // TWriteProc over StreamOut; stream errors throw std::ios_base::failure.
    void PutBlockStream(const void* DTA, uint16_t NBytes, uint16_t& Bytes_Put);

    // Read/write procedures bound to this object's StreamIn / StreamOut.
    TReadProc StreamReader();
    TWriteProc StreamWriter();
};

// The container over iostreams: both streams are used from position 0.
// CompressStream writes the size header and the codes to `dest`;
// DecompressStream reads them from `source` and writes the plain bytes.
void CompressStream(std::istream& source, std::ostream& dest);
void DecompressStream(std::istream& source, std::ostream& dest, size_t maxOutput);

}  // namespace relayon::skin
