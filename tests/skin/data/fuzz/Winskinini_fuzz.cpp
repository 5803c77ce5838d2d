// INI loading of arbitrary bytes, then reads and edits driven by the same
// bytes; after each edit the section index must match the lines again, and
// a written key must read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "skin/data/Winskinini.h"
#include "skin/data/Winskinini_text.h"

using namespace relayon::skin;

namespace {

class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    bool More() const { return p_ < end_; }
    uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
    std::string Text() {
        const size_t n = Byte() % 12;
        std::string s;
        for (size_t i = 0; i < n && p_ < end_; ++i) s.push_back(static_cast<char>(*p_++));
        return s;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

void CheckIndex(const TQuickIni& ini) {
    const TAnsiStringList& lines = ini.IniFile();
    const TAnsiStringList& sections = ini.Sections();
    int headers = 0;
    for (int i = 0; i < lines.Count(); ++i)
        if (ini::HasHeaderShape(lines[i])) ++headers;
    if (headers != sections.Count()) std::abort();
    for (int s = 0; s < sections.Count(); ++s) {
        const intptr_t at = sections.Data(s);
        if (at < 0 || at >= lines.Count()) std::abort();
        if (std::string(ini::Trim(lines[static_cast<int>(at)])) != sections[s]) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t split = size > 0 ? data[0] % (size + 1) : 0;
    TQuickIni ini;
    ini.LoadFromBytes(std::span<const uint8_t>(data, split));
    CheckIndex(ini);
    // Loaded lines are trimmed, never blank, never comments.
    for (int i = 0; i < ini.IniFile().Count(); ++i) {
        const std::string& line = ini.IniFile()[i];
        if (line.empty() || line[0] == ';' || ini::Trim(line).size() != line.size()) std::abort();
    }
    // Saving and loading again is a fixed point.
    {
        TQuickIni again;
        again.LoadFromText(ini.SaveToText());
        if (!(again.IniFile() == ini.IniFile())) std::abort();
    }

    Cursor in(data + split, size - split);
    TAnsiStringList list;
    for (int step = 0; step < 64 && in.More(); ++step) {
        const std::string section = in.Text();
        const std::string ident = in.Text();
        switch (in.Byte() % 9) {
            case 0: (void)ini.ReadString(section, ident, "d"); break;
            case 1: (void)ini.ReadInteger(section, ident, 3); break;
            case 2: ini.ReadSection(section, &list); break;
            case 3: ini.ReadSectionValues(section, &list); break;
            case 4: ini.ReadSections(&list); break;
            case 5: {
                const std::string value = in.Text();
                ini.WriteString(section, ident, value);
                // A key line that parses back as itself must read back: a
                // name without "=" or outer blanks, a non-empty trimmed value,
                // and a line that does not look like a header.
                const std::string line = ident + "=" + value;
                const bool readable = !ident.empty() && ident.find('=') == std::string::npos &&
                                      ini::Trim(ident).size() == ident.size() && !value.empty() &&
                                      ini::Trim(value).size() == value.size() && !ini::IsSectionHeader(line);
                if (readable && ini.ReadString(section, ident, "") != value) std::abort();
                break;
            }
            case 6: ini.DeleteKey(section, ident); break;
            case 7: ini.EraseSection(section); break;
            case 8: ini.WriteInteger(section, ident, static_cast<int32_t>(in.Byte()) - 128); break;
        }
        CheckIndex(ini);
    }
    return 0;
}
