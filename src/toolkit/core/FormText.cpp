#include "toolkit/core/FormText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

FormValue FormValue::Integer(int64_t v) {
    FormValue f;
    f.kind = Kind::Integer;
    f.integer = v;
    return f;
}
FormValue FormValue::Float(double v) {
    FormValue f;
    f.kind = Kind::Float;
    f.real = v;
    return f;
}
FormValue FormValue::String(std::wstring s) {
    FormValue f;
    f.kind = Kind::String;
    f.text = std::move(s);
    return f;
}
FormValue FormValue::Ident(std::wstring s) {
    FormValue f;
    f.kind = Kind::Ident;
    f.text = std::move(s);
    return f;
}
FormValue FormValue::Boolean(bool b) { return Ident(b ? L"True" : L"False"); }
FormValue FormValue::Set(std::vector<std::wstring> m) {
    FormValue f;
    f.kind = Kind::Set;
    f.members = std::move(m);
    return f;
}
FormValue FormValue::Binary(std::vector<uint8_t> b) {
    FormValue f;
    f.kind = Kind::Binary;
    f.bytes = std::move(b);
    return f;
}

FormTextError::FormTextError(int line, const std::string& message)
    : std::runtime_error("Form resource line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

void AppendCodePoint(std::wstring& out, uint32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

}  // namespace

std::wstring DecodeUtf8(std::string_view s) {
    std::wstring out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        uint32_t cp = 0;
        size_t extra = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
            continue;
        }
        bool ok = true;
        for (size_t k = 1; ok && k <= extra; ++k) {
            if (i + k >= s.size()) {
                ok = false;
                break;
            }
            auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(static_cast<wchar_t>(0xFFFD));
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += extra + 1;
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = static_cast<uint32_t>(s[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size()) {
                uint32_t lo = static_cast<uint32_t>(s[i + 1]);
                if (lo >= 0xDC00 && lo <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                    ++i;
                }
            }
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {
        // A UTF-8 byte-order mark is allowed at the start.
        if (s_.size() >= 3 && static_cast<unsigned char>(s_[0]) == 0xEF && static_cast<unsigned char>(s_[1]) == 0xBB &&
            static_cast<unsigned char>(s_[2]) == 0xBF)
            pos_ = 3;
    }

    FormObject ParseRoot() {
        SkipSpace();
        FormObject root = ParseObject(0);
        SkipSpace();
        if (pos_ < s_.size()) Fail("text after the final end");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw FormTextError(line_, message); }

    bool AtEnd() const { return pos_ >= s_.size(); }
    char Peek(size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }

    void SkipSpace() {
        while (!AtEnd()) {
            char c = s_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && Peek(1) == '/') {
                while (!AtEnd() && s_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string ReadIdent() {
        SkipSpace();
        if (!IsIdentStart(Peek())) Fail("identifier expected");
        size_t start = pos_;
        while (!AtEnd() && IsIdentChar(s_[pos_])) ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }

    // Identifier with dotted parts (property paths, qualified values).
    std::string ReadDottedIdent() {
        std::string name = ReadIdent();
        while (Peek() == '.' && IsIdentStart(Peek(1))) {
            ++pos_;
            name += '.';
            name += ReadIdent();
        }
        return name;
    }

    static bool SameWord(const std::string& a, const char* b) {
        size_t n = std::char_traits<char>::length(b);
        if (a.size() != n) return false;
        for (size_t i = 0; i < n; ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
        return true;
    }

    static std::wstring Widen(const std::string& s) { return DecodeUtf8(s); }

    void Expect(char c) {
        SkipSpace();
        if (Peek() != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    bool PeekWord(const char* word) {
        SkipSpace();
        size_t save = pos_;
        if (!IsIdentStart(Peek())) return false;
        std::string w = ReadIdent();
        pos_ = save;
        return SameWord(w, word);
    }

    FormObject ParseObject(int depth) {
        if (depth >= kMaxFormDepth) Fail("objects nested too deeply");
        FormObject obj;
        obj.line = line_;
        std::string keyword = ReadIdent();
        if (SameWord(keyword, "inherited") || SameWord(keyword, "inline"))
            obj.inherited = true;
        else if (!SameWord(keyword, "object"))
            Fail("'object' expected");
        std::string first = ReadIdent();
        SkipSpace();
        if (Peek() == ':') {
            ++pos_;
            obj.name = Widen(first);
            obj.className = Widen(ReadIdent());
        } else {
            obj.className = Widen(first);
        }
        // Optional "[n]" index after the class of inherited objects.
        SkipSpace();
        if (Peek() == '[') {
            ++pos_;
            ReadInteger(false);
            Expect(']');
        }
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("'end' expected");
            if (PeekWord("end")) {
                ReadIdent();
                return obj;
            }
            if (PeekWord("object") || PeekWord("inherited") || PeekWord("inline")) {
                obj.children.push_back(ParseObject(depth + 1));
            } else {
                obj.properties.push_back(ParseProperty(depth));
            }
        }
    }

    FormProperty ParseProperty(int depth) {
        FormProperty p;
        p.line = line_;
        p.name = Widen(ReadDottedIdent());
        Expect('=');
        p.value = ParseValue(depth + 1);
        return p;
    }

    int64_t ReadInteger(bool allowSign) {
        SkipSpace();
        bool negative = false;
        if (allowSign && (Peek() == '-' || Peek() == '+')) {
            negative = Peek() == '-';
            ++pos_;
        }
        uint64_t value = 0;
        int base = 10;
        if (Peek() == '$') {
            base = 16;
            ++pos_;
        }
        size_t digits = 0;
        while (!AtEnd()) {
            char c = s_[pos_];
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
                d = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            else
                break;
            if (value > (std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base))
                Fail("number too large");
            value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
            ++pos_;
            ++digits;
        }
        if (digits == 0) Fail("number expected");
        if (base == 10) {
            uint64_t limit = negative ? (uint64_t{1} << 63) : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
            if (value > limit) Fail("number too large");
        }
        if (negative) return value == (uint64_t{1} << 63) ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(value);
        return static_cast<int64_t>(value);
    }

    FormValue ParseNumber() {
        size_t start = pos_;
        int startLine = line_;
        int64_t whole = ReadInteger(true);
        bool isHex = s_.substr(start, pos_ - start).find('$') != std::string_view::npos;
        if (!isHex && (Peek() == '.' || Peek() == 'e' || Peek() == 'E') &&
            (std::isdigit(static_cast<unsigned char>(Peek(1))) || Peek(1) == '-' || Peek(1) == '+')) {
            if (Peek() == '.') {
                ++pos_;
                while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
            }
            if (Peek() == 'e' || Peek() == 'E') {
                ++pos_;
                if (Peek() == '-' || Peek() == '+') ++pos_;
                if (!std::isdigit(static_cast<unsigned char>(Peek()))) Fail("exponent expected");
                while (std::isdigit(static_cast<unsigned char>(Peek()))) ++pos_;
            }
            std::string number(s_.substr(start, pos_ - start));
            double v = std::strtod(number.c_str(), nullptr);
            if (!std::isfinite(v)) throw FormTextError(startLine, "number out of range");
            return FormValue::Float(v);
        }
        return FormValue::Integer(whole);
    }

    // Quoted pieces and #char codes, possibly joined with '+' across lines.
    // Pieces join only when they touch ('a'#13'b') or across a '+'.
    FormValue ParseString() {
        std::wstring out;
        SkipSpace();
        for (;;) {
            if (Peek() == '\'') {
                ++pos_;
                size_t start = pos_;
                std::string piece;
                for (;;) {
                    if (AtEnd() || s_[pos_] == '\n') Fail("unterminated string");
                    if (s_[pos_] == '\'') {
                        if (Peek(1) == '\'') {
                            piece.append(s_.substr(start, pos_ - start));
                            piece += '\'';
                            pos_ += 2;
                            start = pos_;
                            continue;
                        }
                        piece.append(s_.substr(start, pos_ - start));
                        ++pos_;
                        break;
                    }
                    ++pos_;
                }
                out += DecodeUtf8(piece);
            } else if (Peek() == '#') {
                ++pos_;
                int64_t code = ReadInteger(false);
                if (code < 0 || code > 0xFFFF) Fail("character code out of range");
                out.push_back(static_cast<wchar_t>(code));
            } else {
                // A '+' (after optional spaces) continues the string on.
                size_t save = pos_;
                int saveLine = line_;
                SkipSpace();
                if (Peek() != '+') {
                    pos_ = save;
                    line_ = saveLine;
                    break;
                }
                ++pos_;
                SkipSpace();
                if (Peek() != '\'' && Peek() != '#') Fail("string expected after '+'");
            }
        }
        return FormValue::String(std::move(out));
    }

    FormValue ParseSet() {
        Expect('[');
        std::vector<std::wstring> members;
        SkipSpace();
        if (Peek() == ']') {
            ++pos_;
            return FormValue::Set({});
        }
        for (;;) {
            members.push_back(Widen(ReadIdent()));
            SkipSpace();
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect(']');
            return FormValue::Set(std::move(members));
        }
    }

    FormValue ParseBinary() {
        Expect('{');
        std::vector<uint8_t> bytes;
        int pending = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("'}' expected");
            char c = s_[pos_];
            if (c == '}') {
                ++pos_;
                break;
            }
            if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hex digit expected in binary value");
            int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            ++pos_;
            if (pending < 0) {
                pending = d;
            } else {
                bytes.push_back(static_cast<uint8_t>(pending * 16 + d));
                pending = -1;
            }
        }
        if (pending >= 0) Fail("odd number of hex digits in binary value");
        return FormValue::Binary(std::move(bytes));
    }

    FormValue ParseList(int depth) {
        Expect('(');
        FormValue list;
        list.kind = FormValue::Kind::List;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("')' expected");
            if (Peek() == ')') {
                ++pos_;
                return list;
            }
            list.items.push_back(ParseValue(depth + 1));
        }
    }

    FormValue ParseCollection(int depth) {
        Expect('<');
        FormValue coll;
        coll.kind = FormValue::Kind::Collection;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("'>' expected");
            if (Peek() == '>') {
                ++pos_;
                return coll;
            }
            std::string word = ReadIdent();
            if (!SameWord(word, "item")) Fail("'item' expected");
            std::vector<FormProperty> props;
            for (;;) {
                SkipSpace();
                if (AtEnd()) Fail("'end' expected");
                if (PeekWord("end")) {
                    ReadIdent();
                    break;
                }
                props.push_back(ParseProperty(depth + 1));
            }
            coll.entries.push_back(std::move(props));
        }
    }

    FormValue ParseValue(int depth) {
        if (depth >= kMaxFormDepth) Fail("values nested too deeply");
        SkipSpace();
        char c = Peek();
        if (c == '\'' || c == '#') return ParseString();
        if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) return ParseNumber();
        if (c == '[') return ParseSet();
        if (c == '{') return ParseBinary();
        if (c == '(') return ParseList(depth);
        if (c == '<') return ParseCollection(depth);
        if (IsIdentStart(c)) return FormValue::Ident(Widen(ReadDottedIdent()));
        Fail("value expected");
    }

    std::string_view s_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

FormObject ParseFormText(std::string_view text) { return Parser(text).ParseRoot(); }
