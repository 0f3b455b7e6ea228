#include "EchoedText.h"

namespace bpd::cli {

namespace {

// Length of the UTF-8 sequence at the start of s that encodes a printable code point of
// U+00A0 or above, or 0 for anything else (a C1 control, an overlong form, a surrogate, a
// stray or cut byte).
std::size_t printableSequence(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const char32_t smallest = length == 2 ? 0x80 : (length == 3 ? 0x800 : 0x10000);
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return code < 0xA0 ? 0 : length;
}

void appendHex(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

}  // namespace

std::string echoed(std::string_view text) {
    std::string out;
    std::size_t shown = 0;  // characters written
    std::string piece;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t consumed = 1;
        piece.clear();
        if (c == '\\') {
            piece = "\\\\";
        } else if (c >= 0x20 && c < 0x7F) {
            piece = static_cast<char>(c);
        } else if (const std::size_t length = c >= 0x80 ? printableSequence(text.substr(i)) : 0;
                   length > 0) {
            piece.assign(text.substr(i, length));
            consumed = length;
        } else {
            appendHex(piece, c);
        }
        const std::size_t width = consumed > 1 ? 1 : piece.size();  // a sequence is one character
        if (shown + width > kEchoLimit) {
            out += "...";
            return out;
        }
        out += piece;
        shown += width;
        i += consumed;
    }
    return out;
}

}  // namespace bpd::cli
