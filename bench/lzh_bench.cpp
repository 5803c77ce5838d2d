// LZH codec throughput: compress and decompress, on a 1 MB mixed input
// (text, binary records, bitmap rows, noise) and on a 300 KB text. Both
// inputs are generated from fixed seeds, so every run measures the same
// bytes. The MB/s counters count uncompressed bytes (10^6 bytes per MB) per
// second of CPU time; "ratio" is code bytes per input byte. On a shared
// machine compare medians of repetitions, e.g.
//   lzh_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "skin/data/Winconvert.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char* const kWords[] = {
    "the",    "skin",   "button", "window", "frame",  "caption", "border", "bitmap", "colour", "menu",
    "scroll", "bar",    "edit",   "combo",  "check",  "box",     "tab",    "header", "panel",  "device",
    "switch", "outlet", "delay",  "timer",  "status", "sent",    "reply",  "group",  "of",     "and",
    "a",      "to",     "is",     "in",     "on",     "with",    "for",    "each",   "every",  "state"};

void AppendText(Bytes& out, size_t n, std::mt19937& rng) {
    const size_t end = out.size() + n;
    while (out.size() < end) {
        const std::string word = kWords[rng() % std::size(kWords)];
        out.insert(out.end(), word.begin(), word.end());
        const unsigned r = rng() % 16;
        out.push_back(r == 0 ? '.' : r == 1 ? ',' : ' ');
        if (r == 0 && rng() % 3 == 0) {
            out.push_back('\r');
            out.push_back('\n');
        }
    }
    out.resize(end);
}

// INI-like lines: section headers and key=value pairs with numbers.
void AppendIni(Bytes& out, size_t n, std::mt19937& rng) {
    const size_t end = out.size() + n;
    while (out.size() < end) {
        std::string line;
        if (rng() % 8 == 0) {
            line = "[" + std::string(kWords[rng() % std::size(kWords)]) + std::to_string(rng() % 50) + "]\r\n";
        } else {
            line = std::string(kWords[rng() % std::size(kWords)]) + "=" + std::to_string(rng() % 1000) + "\r\n";
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    out.resize(end);
}

// 16-byte little-endian records: counter, small fields, a timestamp.
void AppendRecords(Bytes& out, size_t n, std::mt19937& rng) {
    const size_t end = out.size() + n;
    uint32_t counter = 0;
    uint32_t stamp = 0x5F000000;
    while (out.size() < end) {
        const uint32_t fields[4] = {counter++, static_cast<uint32_t>(rng() % 9), stamp += rng() % 300,
                                    static_cast<uint32_t>(0xAA55 + (rng() % 4))};
        for (uint32_t f : fields)
            for (int s = 0; s < 32; s += 8) out.push_back(static_cast<uint8_t>(f >> s));
    }
    out.resize(end);
}

// 24-bit pixel rows: flat areas, gradients and magenta key colour.
void AppendBitmap(Bytes& out, size_t n, std::mt19937& rng) {
    const size_t end = out.size() + n;
    int row = 0;
    while (out.size() < end) {
        const int kind = rng() % 3;
        for (int x = 0; x < 200; ++x) {
            uint8_t b = 0;
            uint8_t g = 0;
            uint8_t r = 0;
            if (kind == 0) {
                b = 255, g = 0, r = 255;
            } else if (kind == 1) {
                b = static_cast<uint8_t>(x + row), g = static_cast<uint8_t>(x / 2), r = 0x40;
            } else {
                b = g = r = static_cast<uint8_t>(0xC0 + (x % 7 == 0 ? 0x20 : 0));
            }
            out.push_back(b);
            out.push_back(g);
            out.push_back(r);
        }
        ++row;
    }
    out.resize(end);
}

void AppendNoise(Bytes& out, size_t n, std::mt19937& rng) {
    for (size_t i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(rng()));
}

const Bytes& MixedInput() {
    static const Bytes input = [] {
        std::mt19937 rng(20261209);
        Bytes out;
        constexpr size_t kTotal = 1000000;
        while (out.size() < kTotal) {
            const size_t chunk = std::min<size_t>(4000 + rng() % 30000, kTotal - out.size());
            switch (rng() % 10) {
                case 0: case 1: case 2: AppendText(out, chunk, rng); break;
                case 3: case 4: AppendRecords(out, chunk, rng); break;
                case 5: case 6: case 7: AppendBitmap(out, chunk, rng); break;
                case 8: AppendIni(out, chunk, rng); break;
                default: AppendNoise(out, chunk / 2, rng); break;
            }
        }
        out.resize(kTotal);
        return out;
    }();
    return input;
}

const Bytes& TextInput() {
    static const Bytes input = [] {
        std::mt19937 rng(300);
        Bytes out;
        while (out.size() < 300000) {
            AppendText(out, 20000, rng);
            AppendIni(out, 5000, rng);
        }
        out.resize(300000);
        return out;
    }();
    return input;
}

void SetRate(benchmark::State& state, size_t bytesPerIteration, size_t codeSize) {
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(bytesPerIteration) / 1e6 *
                                                    static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
    state.counters["ratio"] = static_cast<double>(codeSize) / static_cast<double>(bytesPerIteration);
}

void Compress(benchmark::State& state, const Bytes& input) {
    size_t codeSize = 0;
    for (auto _ : state) {
        const Bytes code = relayon::skin::LZHPack(input);
        codeSize = code.size();
        benchmark::DoNotOptimize(code.data());
    }
    SetRate(state, input.size(), codeSize);
}

void Decompress(benchmark::State& state, const Bytes& input) {
    const Bytes code = relayon::skin::LZHPack(input);
    for (auto _ : state) {
        const Bytes plain = relayon::skin::LZHUnpack(code, input.size());
        benchmark::DoNotOptimize(plain.data());
    }
    if (relayon::skin::LZHUnpack(code, input.size()) != input) state.SkipWithError("round trip failed");
    SetRate(state, input.size(), code.size());
}

void BM_CompressMixed1MB(benchmark::State& state) { Compress(state, MixedInput()); }
void BM_DecompressMixed1MB(benchmark::State& state) { Decompress(state, MixedInput()); }
void BM_CompressText300KB(benchmark::State& state) { Compress(state, TextInput()); }
void BM_DecompressText300KB(benchmark::State& state) { Decompress(state, TextInput()); }

BENCHMARK(BM_CompressMixed1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressMixed1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressText300KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressText300KB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
