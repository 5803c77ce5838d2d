#include "skin/data/Winskinini.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

#include "skin/data/Winconvert.h"
#include "skin/data/Winskinini_text.h"
#include "toolkit/core/TextCase.h"

namespace relayon::skin {
namespace {

std::vector<uint8_t> ReadWholeFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    if (!file) throw std::system_error(errno, std::generic_category(), "Cannot open file \"" + name + "\"");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) throw std::system_error(errno, std::generic_category(), "Cannot read file \"" + name + "\"");
    return bytes;
}

void WriteWholeFile(const std::string& name, std::string_view bytes) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file) throw std::system_error(errno, std::generic_category(), "Cannot create file \"" + name + "\"");
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.flush();
    if (!file) throw std::system_error(errno, std::generic_category(), "Cannot write file \"" + name + "\"");
}

void RequireList(const TAnsiStringList* Strings) {
    if (Strings == nullptr) throw EAssertionFailed(kStringsUnassignedText);
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Orders a lower-case name against any text as if the text were lower-cased
// too, without making that copy.
bool LessLowered(std::string_view lowered, std::string_view text) {
    const size_t n = std::min(lowered.size(), text.size());
    for (size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(lowered[i]);
        const auto b = static_cast<unsigned char>(FoldAscii(text[i]));
        if (a != b) return a < b;
    }
    return lowered.size() < text.size();
}

}  // namespace

void TQuickIni::LoadFromStream(std::istream* Stream) {
    if (Stream == nullptr) return;
    const std::string text((std::istreambuf_iterator<char>(*Stream)), std::istreambuf_iterator<char>());
    LoadFromText(text);
}

void TQuickIni::LoadFromBytes(std::span<const uint8_t> bytes) {
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TQuickIni::LoadFromText(std::string_view text) {
    Clear();
    for (std::string_view raw : ini::SplitLines(text)) {
        const std::string_view line = ini::Trim(raw);
        if (line.empty() || line.front() == ';') continue;
        const int index = FIniFile.Add(std::string(line));
        if (ini::HasHeaderShape(line)) FSections.AddData(std::string(line), index);
    }
    IndexSections();
}

void TQuickIni::LoadFromFile(const std::string& aname) {
    const std::vector<uint8_t> bytes = ReadWholeFile(aname);
    LoadFromBytes(bytes);
}

std::string TQuickIni::SaveToText() const { return FIniFile.Text(); }

void TQuickIni::SaveToStream(std::ostream* Stream) const {
    if (Stream == nullptr) return;
    const std::string text = SaveToText();
    Stream->write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TQuickIni::SaveToFile(const std::string& aname) const { WriteWholeFile(aname, SaveToText()); }

void TQuickIni::Compress(std::istream& source, std::ostream& dest) { CompressStream(source, dest); }

void TQuickIni::Decompress(std::istream& source, std::ostream& dest, size_t maxText) {
    DecompressStream(source, dest, maxText);
}

void TQuickIni::LoadFromZip(const std::string& aname, size_t maxText) {
    const std::vector<uint8_t> container = ReadWholeFile(aname);
    const std::vector<uint8_t> text = GetBlockStream(container, maxText);
    LoadFromBytes(text);
}

void TQuickIni::SavetoZip(const std::string& aname) const {
    const std::string text = SaveToText();
    const std::vector<uint8_t> container =
        PutBlockStream(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    WriteWholeFile(aname, std::string_view(reinterpret_cast<const char*>(container.data()), container.size()));
}

void TQuickIni::SetIniFile(const TAnsiStringList& Value) {
    FIniFile.Assign(Value);
    RebuildSections();
}

void TQuickIni::Clear() {
    FIniFile.Clear();
    FSections.Clear();
    byName_.clear();
}

int TQuickIni::GetSectionIndex(std::string_view Section) const {
    // A skin load asks for hundreds of keys in some seventy sections, so the
    // names are looked up in a sorted index rather than compared one by one.
    const auto it = std::lower_bound(byName_.begin(), byName_.end(), Section,
                                     [](const auto& entry, std::string_view name) { return LessLowered(entry.first, name); });
    if (it == byName_.end() || !SameTextAscii(it->first, Section)) return -1;
    return it->second;
}

void TQuickIni::IndexSections() {
    byName_.clear();
    byName_.reserve(static_cast<size_t>(FSections.Count()));
    for (int i = 0; i < FSections.Count(); ++i) {
        const std::string& header = FSections[i];
        // Every entry has the shape "[...]"; its name is the text between.
        if (header.size() < 2) continue;
        byName_.emplace_back(AsciiLower(std::string_view(header).substr(1, header.size() - 2)),
                             static_cast<int>(FSections.Data(i)));
    }
    // Sorted by name, file order kept among equal names; the first of each
    // name is the section every lookup finds.
    std::stable_sort(byName_.begin(), byName_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    byName_.erase(std::unique(byName_.begin(), byName_.end(),
                              [](const auto& a, const auto& b) { return a.first == b.first; }),
                  byName_.end());
}

void TQuickIni::RebuildSections() {
    FSections.Clear();
    for (int i = 0; i < FIniFile.Count(); ++i) {
        const std::string& line = FIniFile[i];
        if (ini::HasHeaderShape(line)) FSections.AddData(std::string(ini::Trim(line)), i);
    }
    IndexSections();
}

int TQuickIni::BodyEnd(int header) const {
    int i = header + 1;
    while (i < FIniFile.Count() && !ini::IsSectionHeader(FIniFile[i])) ++i;
    return i;
}

int TQuickIni::FindKey(std::string_view Section, std::string_view Ident) const {
    const int header = GetSectionIndex(Section);
    if (header < 0) return -1;
    const std::string key = AsciiLower(Ident);
    // One pass over the body, which ends at the next header; the first line
    // of that name wins.
    for (int i = header + 1; i < FIniFile.Count(); ++i) {
        const std::string& line = FIniFile[i];
        if (ini::IsSectionHeader(line)) break;
        if (ini::LineNameIs(line, key)) return i;
    }
    return -1;
}

std::string TQuickIni::ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const {
    const int line = FindKey(Section, Ident);
    if (line < 0) return std::string(Default);
    const std::string_view value = ini::LineValue(FIniFile[line]);
    return std::string(value.empty() ? Default : value);
}

int32_t TQuickIni::ReadInteger(std::string_view Section, std::string_view Ident, int32_t Default) const {
    const std::string text = ReadString(Section, Ident, "");
    if (text.empty()) return Default;
    return ini::ParseInteger(text).value_or(Default);
}

bool TQuickIni::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TQuickIni::ReadSection(std::string_view Section, TAnsiStringList* Strings) const {
    RequireList(Strings);
    Strings->Clear();
    const int header = GetSectionIndex(Section);
    if (header < 0) return;
    const int end = BodyEnd(header);
    for (int i = header + 1; i < end; ++i) {
        std::string name = ini::LineName(FIniFile[i]);
        if (!name.empty()) Strings->Add(std::move(name));
    }
}

void TQuickIni::ReadSections(TAnsiStringList* Strings) const {
    RequireList(Strings);
    Strings->Clear();
    for (int i = 0; i < FSections.Count(); ++i) {
        const std::string& header = FSections[i];
        Strings->Add(std::string(ini::Trim(std::string_view(header).substr(1, header.size() - 2))));
    }
}

void TQuickIni::ReadSectionValues(std::string_view Section, TAnsiStringList* Strings) const {
    RequireList(Strings);
    Strings->Clear();
    const int header = GetSectionIndex(Section);
    if (header < 0) return;
    const int end = BodyEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (!FIniFile[i].empty()) Strings->Add(FIniFile[i]);
}

void TQuickIni::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
    std::string keyLine(Ident);
    keyLine += '=';
    keyLine += Value;

    const int header = GetSectionIndex(Section);
    if (header < 0) {
        std::string headerLine = "[";
        headerLine += Section;
        headerLine += "]";
        FIniFile.Add(std::move(headerLine));
        if (!Ident.empty()) FIniFile.Add(std::move(keyLine));
    } else if (!Ident.empty()) {
        const int line = FindKey(Section, Ident);
        if (line >= 0) {
            FIniFile.SetStrings(line, std::move(keyLine));
        } else {
            // Last line of this section's body: before the next header, or at the end.
            const int end = BodyEnd(header);
            if (end == FIniFile.Count()) {
                FIniFile.Add(std::move(keyLine));
            } else {
                FIniFile.Insert(end, std::move(keyLine));
            }
        }
    }
    RebuildSections();
}

void TQuickIni::WriteInteger(std::string_view Section, std::string_view Ident, int32_t Value) {
    WriteString(Section, Ident, std::to_string(Value));
}

void TQuickIni::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

void TQuickIni::DeleteKey(std::string_view Section, std::string_view Ident) {
    const int line = FindKey(Section, Ident);
    if (line < 0) return;
    FIniFile.Delete(line);
    RebuildSections();
}

void TQuickIni::EraseSection(std::string_view Section) {
    const int header = GetSectionIndex(Section);
    if (header < 0) return;
    const int end = BodyEnd(header);
    for (int i = end - 1; i >= header; --i) FIniFile.Delete(i);
    if (header > 0) FIniFile.Insert(header, "");
    RebuildSections();
}

}  // namespace relayon::skin
