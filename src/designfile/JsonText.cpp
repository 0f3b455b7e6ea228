#include "JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace bpd::designfile {

namespace {

// The length of the valid UTF-8 sequence at the start of s (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0.
std::size_t utf8Length(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80) return 1;
    std::size_t n = 0;
    std::uint32_t lowest = 0;
    std::uint32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2, lowest = 0x80, cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, lowest = 0x800, cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, lowest = 0x10000, cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        if (c >= 0x80) {
            const std::size_t n = utf8Length(text);
            if (n == 0) {
                out += "\xEF\xBF\xBD";
                text.remove_prefix(1);
            } else {
                out.append(text.substr(0, n));
                text.remove_prefix(n);
            }
            continue;
        }
        text.remove_prefix(1);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

void appendJsonNumber(std::string& out, double value) {
    if (!std::isfinite(value)) return;
    if (value == 0) value = 0;  // -0 reads back as the integer 0
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

}  // namespace bpd::designfile
