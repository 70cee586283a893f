#include "FlatJsonReader.h"

#include <cctype>
#include <optional>
#include <stdexcept>

namespace quoravel {
namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    FlatJson Read() {
        FlatJson json;
        try {
            Expect('{');
            if (!Take('}')) {
                do {
                    SkipBlanks();
                    const std::string name = String();
                    Expect(':');
                    SkipBlanks();
                    if (Take('[')) {
                        if (!Take(']')) {
                            do json.members.emplace_back(name, Scalar(name));
                            while (Take(','));
                            Expect(']');
                        }
                    } else {
                        json.members.emplace_back(name, Scalar(name));
                    }
                } while (Take(','));
                Expect('}');
            }
            SkipBlanks();
            if (at_ != text_.size()) Fail("text after the object");
        } catch (const std::runtime_error& error) {
            json.members.clear();
            json.problem = error.what();
        }
        return json;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("the JSON input is not a flat object: " + what + " at character " +
                                 std::to_string(at_ + 1) + ".");
    }

    void SkipBlanks() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    bool Take(char c) {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    void Expect(char c) {
        if (!Take(c)) Fail(std::string("\"") + c + "\" expected");
    }

    // A string or a number; a member's value may be nothing else.
    std::string Scalar(const std::string& name) {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == '"') return String();
        if (at_ < text_.size() && (text_[at_] == '-' || std::isdigit(static_cast<unsigned char>(text_[at_]))))
            return Number();
        Fail("the value of \"" + name + "\" is no string, number or array of them");
    }

    std::string Number() {
        const std::size_t start = at_;
        const auto digits = [&] {
            const std::size_t from = at_;
            while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) ++at_;
            return at_ - from;
        };
        if (text_[at_] == '-') ++at_;
        const std::size_t whole = at_;
        if (digits() == 0 || (text_[whole] == '0' && at_ - whole > 1)) Fail("a bad number");
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (digits() == 0) Fail("a bad number");
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (digits() == 0) Fail("a bad number");
        }
        return std::string(text_.substr(start, at_ - start));
    }

    unsigned Hex4() {
        if (at_ + 4 > text_.size()) Fail("a bad \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("a bad \\u escape");
        }
        return code;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string String() {
        if (at_ >= text_.size() || text_[at_] != '"') Fail("a string expected");
        ++at_;
        std::string out;
        while (true) {
            if (at_ >= text_.size()) Fail("an unended string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) Fail("a control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) Fail("an unended string");
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned code = Hex4();
                    if (code >= 0xD800 && code <= 0xDBFF) {
                        if (text_.substr(at_, 2) != "\\u") Fail("a lone surrogate");
                        at_ += 2;
                        const unsigned low = Hex4();
                        if (low < 0xDC00 || low > 0xDFFF) Fail("a lone surrogate");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code <= 0xDFFF) {
                        Fail("a lone surrogate");
                    }
                    AppendUtf8(out, code);
                    break;
                }
                default:
                    Fail("a bad escape");
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

FlatJson ReadFlatJson(std::string_view text) { return Parser(text).Read(); }

}  // namespace quoravel
