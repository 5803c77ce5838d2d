// LZH codec throughput: compress and decompress, on a 1 MB mixed input
// (text, binary records, bitmap rows, noise) and on a 300 KB text. Both
// inputs are generated from fixed seeds, so every run measures the same
// bytes. The MB/s counters count uncompressed bytes (10^6 bytes per MB) per
// second of CPU time; "ratio" is code bytes per input byte.
//
// The CommandLine benchmarks run the built `lzh c` / `lzh d` on the 1 MB input
// in files, and time each run by the child's CPU time (user + system, process
// start included); every iteration also runs the in-process container call
// the tool wraps, timed by this thread's CPU time. Counters: "tool_ms" and
// "inproc_ms" per run, "tool/inproc" their ratio, and "tool_sys_ms" the part
// of the tool's time spent in the kernel (process start, page faults, file
// I/O). "start_ms" is the CPU time of the same program started without
// arguments (it prints its usage and exits): the floor of any run of the
// tool, included in tool_ms. "nullout_ms" is the same run writing its result
// to /dev/null: what is left of tool_ms without the file system's part. CPU time rather than wall
// time keeps the figures steady on a shared machine. On such a machine
// compare medians of repetitions, e.g.
//   lzh_bench --benchmark_repetitions=7 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
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

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct ToolTime {
    bool ok = false;
    double user = 0;    // seconds in the program
    double system = 0;  // seconds in the kernel for it: start, page faults, file I/O
};

// Runs `lzh ARGS...` once (stderr discarded) and takes the child's CPU times;
// not ok when it could not be started or did not exit with `expectedStatus`.
ToolTime RunTool(std::vector<const char*> args, int expectedStatus) {
    args.insert(args.begin(), LZH_EXE);
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, LZH_EXE, &actions, nullptr, const_cast<char* const*>(args.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {};
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != expectedStatus)
        return {};
    return {true, Seconds(usage.ru_utime), Seconds(usage.ru_stime)};
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The command line against the in-process call it wraps, on the same bytes.
void CommandLine(benchmark::State& state, bool compress) {
    const Bytes& input = MixedInput();
    const Bytes container = relayon::skin::PutBlockStream(input);
    std::string dirName = (std::filesystem::temp_directory_path() / "lzh_bench.XXXXXX").string();
    if (mkdtemp(dirName.data()) == nullptr) {
        state.SkipWithError("cannot create a temporary directory");
        return;
    }
    const std::filesystem::path dir(dirName);
    WriteBytes(dir / "plain", input);
    WriteBytes(dir / "packed", container);
    const std::string source = (dir / (compress ? "plain" : "packed")).string();
    const std::string result = (dir / "out").string();

    double user = 0;
    double system = 0;
    double start = 0;
    double nullOut = 0;
    double inProcess = 0;
    for (auto _ : state) {
        const ToolTime run = RunTool({compress ? "c" : "d", source.c_str(), result.c_str()}, 0);
        // The same program started without arguments only prints its usage:
        // the cost of a process that no work on the codec or the files can cut.
        const ToolTime usage = RunTool({}, 2);
        const ToolTime discarded = RunTool({compress ? "c" : "d", source.c_str(), "/dev/null"}, 0);
        if (!run.ok || !usage.ok || !discarded.ok) {
            state.SkipWithError("lzh failed");
            break;
        }
        start += usage.user + usage.system;
        nullOut += discarded.user + discarded.system;
        const double begin = ThreadCpuSeconds();
        const Bytes same = compress ? relayon::skin::PutBlockStream(input)
                                    : relayon::skin::GetBlockStream(container, input.size());
        benchmark::DoNotOptimize(same.data());
        inProcess += ThreadCpuSeconds() - begin;
        user += run.user;
        system += run.system;
        state.SetIterationTime(run.user + run.system);
    }
    if (!state.error_occurred() && ReadBytes(result) != (compress ? container : input))
        state.SkipWithError("lzh wrote other bytes than the in-process call");
    std::filesystem::remove_all(dir);

    const auto runs = static_cast<double>(state.iterations());
    if (runs > 0 && inProcess > 0) {
        state.counters["tool_ms"] = (user + system) / runs * 1e3;
        state.counters["tool_sys_ms"] = system / runs * 1e3;
        state.counters["start_ms"] = start / runs * 1e3;
        state.counters["nullout_ms"] = nullOut / runs * 1e3;
        state.counters["inproc_ms"] = inProcess / runs * 1e3;
        state.counters["tool/inproc"] = (user + system) / inProcess;
    }
}

void BM_CompressMixed1MB(benchmark::State& state) { Compress(state, MixedInput()); }
void BM_DecompressMixed1MB(benchmark::State& state) { Decompress(state, MixedInput()); }
void BM_CompressText300KB(benchmark::State& state) { Compress(state, TextInput()); }
void BM_DecompressText300KB(benchmark::State& state) { Decompress(state, TextInput()); }

BENCHMARK(BM_CompressMixed1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressMixed1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressText300KB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecompressText300KB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CommandLine, CompressMixed1MB, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CommandLine, DecompressMixed1MB, false)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
