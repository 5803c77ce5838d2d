#pragma once
// Reader of the text form resource format: the tree of components a form
// declares, with their property values. Portable (no Win32).
//
// Grammar (UTF-8 text; keywords and identifiers are case-insensitive):
//   object   := ("object" | "inherited" | "inline") [Name ":"] ClassName
//               { property } { object } "end"
//   property := Ident{"." Ident} "=" value
//   value    := integer            -12, $FF (hex)
//             | float              1.5, -2.5E3
//             | string             'it''s' #13#10 'more'  (pieces joined; "+" joins lines)
//             | identifier         True, False, clBtnFace, Bn_ser_connClick, TabSheet1
//             | set                [fsBold, fsItalic]   (may be empty)
//             | list               ( value value ... )  (e.g. Items.Strings)
//             | collection         < item {property} end ... >
//             | binary             { 0A1B 2C }          (hex digit pairs, spaces allowed)
// #nnn is one UTF-16 code unit (decimal or $hex). Comments: "//" to the end of a line.
//
// Hostile input: every error (bad token, unterminated string or block,
// nesting deeper than kMaxFormDepth, odd hex digits, integer overflow)
// throws FormTextError with the line number; nothing is read past the end.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct FormProperty;

struct FormValue {
    enum class Kind { None, Integer, Float, String, Ident, Set, Binary, List, Collection };
    Kind kind = Kind::None;
    int64_t integer = 0;
    double real = 0;
    std::wstring text;                               // String, Ident
    std::vector<std::wstring> members;               // Set
    std::vector<uint8_t> bytes;                      // Binary
    std::vector<FormValue> items;                    // List
    std::vector<std::vector<FormProperty>> entries;  // Collection

    static FormValue Integer(int64_t v);
    static FormValue Float(double v);
    static FormValue String(std::wstring s);
    static FormValue Ident(std::wstring s);
    static FormValue Boolean(bool b);
    static FormValue Set(std::vector<std::wstring> m);
    static FormValue Binary(std::vector<uint8_t> b);
};

struct FormProperty {
    std::wstring name;  // may be dotted: Font.Height
    FormValue value;
    int line = 0;
};

struct FormObject {
    std::wstring name;
    std::wstring className;
    bool inherited = false;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
    int line = 0;
};

class FormTextError : public std::runtime_error {
public:
    FormTextError(int line, const std::string& message);
    int Line() const { return line_; }

private:
    int line_;
};

constexpr int kMaxFormDepth = 64;

FormObject ParseFormText(std::string_view text);

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::wstring DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::wstring_view text);
