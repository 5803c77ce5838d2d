#pragma once
// TQuickIni: a small in-memory INI store. The text is held as a list of lines
// plus an index of the section headers (header text with brackets, and the
// header's line number as the entry's Data), both TAnsiStringList. The skin engine loads the
// skin description into one and reads it; editing, saving and a compressed
// file form are available too.
//
// Text: 8-bit lines, kept byte for byte (no code-page conversion in the
// portable core). Loading trims every line (codes <= 32), drops blank lines
// and comment lines (first character ";"); a zero byte ends the text. Saving
// writes every line followed by CR LF. There is no quoting, escaping, line
// continuation or inline comment.
//
// Lookups: sections by "[" + name + "]", ignoring ASCII case, first match
// wins; keys by the line's name (text before the first "=", trimmed, ASCII
// lower case) against the wanted key in lower case; first match in the
// section's body wins. A body runs from the header to the next header line.
//
// Compressed file form ("zip" in the operation names, though it is not a ZIP
// archive): the LZH container, a 4-byte little-endian size and the codes of
// the saved text.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/core/Strings.h"

namespace relayon::skin {

// A caller broke a precondition (a missing output list).
class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

inline constexpr const char* kStringsUnassignedText = "The parameter Strings is unassigned!";

// Largest decompressed text LoadFromZip / Decompress accept by default; a
// corrupt size header above it fails instead of allocating blindly.
inline constexpr size_t kMaxIniText = 64u << 20;

class TQuickIni {
public:
    // Loading and saving. Loading replaces the whole content.
    void LoadFromStream(std::istream* Stream);  // from the current position to the end; null: nothing
    void LoadFromBytes(std::span<const uint8_t> bytes);
    void LoadFromText(std::string_view text);
    void LoadFromFile(const std::string& aname);  // file errors throw; content unchanged then
    void SaveToStream(std::ostream* Stream) const;  // null: nothing
    std::string SaveToText() const;
    void SaveToFile(const std::string& aname) const;

    // The compressed container over streams, both used from position 0.
    static void Compress(std::istream& source, std::ostream& dest);
    static void Decompress(std::istream& source, std::ostream& dest, size_t maxText = kMaxIniText);
    void LoadFromZip(const std::string& aname, size_t maxText = kMaxIniText);
    void SavetoZip(const std::string& aname) const;

    // Replaces the lines with a copy taken as it is (not trimmed, comments
    // and blanks kept) and rebuilds the section index.
    void SetIniFile(const TAnsiStringList& Value);
    const TAnsiStringList& IniFile() const { return FIniFile; }
    const TAnsiStringList& Sections() const { return FSections; }
    void Clear();

    // Line index of the section's header, or -1.
    int GetSectionIndex(std::string_view Section) const;
    // Re-derives the section index from the lines.
    void RebuildSections();

    // Reading: every read returns its default for a missing section or key,
    // an empty value or (numbers) unparsable text.
    std::string ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const;
    int32_t ReadInteger(std::string_view Section, std::string_view Ident, int32_t Default) const;
    bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
    // Names (lower case) of the body lines that have one.
    void ReadSection(std::string_view Section, TAnsiStringList* Strings) const;
    // Section names without brackets, in file order, duplicates kept.
    void ReadSections(TAnsiStringList* Strings) const;
    // Every non-empty body line as stored.
    void ReadSectionValues(std::string_view Section, TAnsiStringList* Strings) const;

    // Writing: the key line is Ident + "=" + Value. An empty Ident writes no
    // key line (a missing section is still created).
    void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value);
    void WriteInteger(std::string_view Section, std::string_view Ident, int32_t Value);
    void WriteBool(std::string_view Section, std::string_view Ident, bool Value);
    void DeleteKey(std::string_view Section, std::string_view Ident);
    // Removes header and body; unless the section was the first line, one
    // empty line stays in its place.
    void EraseSection(std::string_view Section);

private:
    int BodyEnd(int header) const;
    int FindKey(std::string_view Section, std::string_view Ident) const;
    // Rebuilds byName_ from FSections.
    void IndexSections();

    TAnsiStringList FIniFile;
    TAnsiStringList FSections;
    // Each distinct section name (the text between the brackets, ASCII lower
    // case) with the header line of its first section, sorted by name.
    std::vector<std::pair<std::string, int>> byName_;
};

}  // namespace relayon::skin
