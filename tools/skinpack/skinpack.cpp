// skinpack: builds and inspects skin files.
//
//   skinpack pack <folder> <out.skn>          one .ini plus the .bmp files, version 40000
//   skinpack list <file.skn>                  header, then every entry with its size
//   skinpack extract <file.skn> <dir> [name]  one entry, or all of them, into <dir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "skin/data/SkinWriter.h"
#include "skin/data/Skinread.h"

namespace fs = std::filesystem;
using namespace relayon::skin;

namespace {

int Usage() {
    std::cerr << "usage: skinpack pack <folder> <out.skn>\n"
                 "       skinpack list <file.skn>\n"
                 "       skinpack extract <file.skn> <dir> [entry]\n";
    return 2;
}

bool ReadFile(const fs::path& path, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool HasExtension(const fs::path& p, const char* ext) { return LowerAscii(p.extension().string()) == ext; }

int Pack(const fs::path& folder, const fs::path& outPath) {
    std::vector<fs::path> inis, bmps;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        if (!item.is_regular_file()) continue;
        if (HasExtension(item.path(), ".ini")) inis.push_back(item.path());
        else if (HasExtension(item.path(), ".bmp")) bmps.push_back(item.path());
        else std::cerr << "skinpack: skipping " << item.path().filename().string() << " (neither .ini nor .bmp)\n";
    }
    if (ec) {
        std::cerr << "skinpack: cannot read folder " << folder << ": " << ec.message() << "\n";
        return 1;
    }
    if (inis.size() != 1) {
        std::cerr << "skinpack: the folder must hold exactly one .ini file, it holds " << inis.size() << "\n";
        return 1;
    }
    // Sorted so that the same folder always gives the same bytes.
    std::sort(bmps.begin(), bmps.end());
    // The description goes first; readers take the first ".ini" entry.
    std::vector<fs::path> sources = {inis[0]};
    sources.insert(sources.end(), bmps.begin(), bmps.end());
    std::vector<SkinEntry> entries;
    for (const fs::path& p : sources) entries.push_back({p.filename().string(), {}});
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!ReadFile(sources[i], entries[i].data)) {
            std::cerr << "skinpack: cannot read " << sources[i] << "\n";
            return 1;
        }
        if (i > 0 && (entries[i].data.size() < 2 || entries[i].data[0] != 'B' || entries[i].data[1] != 'M')) {
            std::cerr << "skinpack: " << sources[i] << " is not a BMP file\n";
            return 1;
        }
    }
    std::vector<uint8_t> file;
    try {
        file = BuildSkinFile(entries, 40000);
    } catch (const std::exception& e) {
        std::cerr << "skinpack: " << e.what() << "\n";
        return 1;
    }
    if (!WriteFile(outPath, file)) {
        std::cerr << "skinpack: cannot write " << outPath << "\n";
        return 1;
    }
    // Read back what was written: a package that does not load is never left behind as success.
    TSkinReader check;
    if (!check.Loadfromstream(file) || check.Num != static_cast<int>(entries.size())) {
        std::cerr << "skinpack: the written file does not read back: " << check.LastError() << "\n";
        fs::remove(outPath, ec);
        return 1;
    }
    std::cout << "packed " << entries.size() << " entries into " << outPath.string() << " (" << file.size() << " bytes)\n";
    return 0;
}

bool Load(const fs::path& path, TSkinReader& reader) {
    reader.SetMessageHandler([](const std::string& text) {
        std::string shown = text;
        std::replace(shown.begin(), shown.end(), '\r', ' ');
        std::cerr << "skinpack: " << shown << "\n";
    });
    if (!reader.loadfromfile(path.string())) {
        std::cerr << "skinpack: " << reader.LastError() << "\n";
        return false;
    }
    return true;
}

int List(const fs::path& path) {
    TSkinReader reader;
    if (!Load(path, reader)) return 1;
    std::cout << "version " << reader.header.Version << ", " << reader.Num << " entries, " << reader.ms.size()
              << " bytes of entry data\n";
    for (int i = 0; i < reader.Num; ++i) std::printf("%10d  %s\n", reader.sizes[i], reader.Dir[i].c_str());
    return 0;
}

// An entry name is written as a file only when it cannot leave the target folder.
bool SafeFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

int Extract(const fs::path& path, const fs::path& dir, const std::string* only) {
    TSkinReader reader;
    if (!Load(path, reader)) return 1;
    std::error_code ec;
    fs::create_directories(dir, ec);
    int written = 0, failed = 0;
    for (int i = 0; i < reader.Num; ++i) {
        const std::string& name = reader.Dir[i];
        if (only && name != LowerAscii(*only)) continue;
        if (!SafeFileName(name)) {
            std::cerr << "skinpack: refusing unsafe entry name \"" << name << "\"\n";
            ++failed;
            continue;
        }
        // Entry i itself, not a lookup by name: duplicate names each come out (the last one wins on disk).
        const size_t offset = reader.EntryOffset(i);
        std::vector<uint8_t> data(reader.ms.begin() + offset, reader.ms.begin() + offset + reader.sizes[i]);
        if (!WriteFile(dir / name, data)) {
            std::cerr << "skinpack: cannot write " << (dir / name) << "\n";
            ++failed;
            continue;
        }
        ++written;
        if (only) break;
    }
    if (only && written == 0 && failed == 0) {
        std::cerr << "skinpack: no entry named " << *only << "\n";
        return 1;
    }
    std::cout << "extracted " << written << " entries into " << dir.string() << "\n";
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string verb = argv[1];
    if (verb == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (verb == "list" && argc == 3) return List(argv[2]);
    if (verb == "extract" && (argc == 4 || argc == 5)) {
        const std::string name = argc == 5 ? argv[4] : "";
        return Extract(argv[2], argv[3], argc == 5 ? &name : nullptr);
    }
    return Usage();
}
