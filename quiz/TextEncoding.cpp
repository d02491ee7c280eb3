// SPDX-License-Identifier: MIT
#include "TextEncoding.h"

#include <array>
#include <cstdint>

namespace quiz {
namespace {

// Windows-1251 from 0x80 to 0xFF; below that it is ASCII.
constexpr std::array<char16_t, 128> kWindows1251{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // 0xF8
};

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// The line that the code point at the given place stands on; CR LF, LF and a lone CR each end
// a line, as editors count them.
int LineAt(const std::u32string& text, std::size_t place) {
    int line = 1;
    for (std::size_t at = 0; at < place && at < text.size(); ++at) {
        if (text[at] == '\n' ||
            (text[at] == '\r' && (at + 1 >= text.size() || text[at + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

} // namespace

bool IsText(char32_t c) {
    if (c < 0x20) {
        return c == '\t' || c == '\n' || c == '\r';
    }
    return !(c >= 0x7F && c <= 0x9F) && c != 0xFFFE && c != 0xFFFF;
}

Decoding DecodeUtf8(std::string_view bytes) {
    Decoding decoding;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[at]);
        int length = 1;
        char32_t c = lead;
        char32_t least = 0;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07U;
            least = 0x10000;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0FU;
            least = 0x800;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1FU;
            least = 0x80;
        } else if (lead >= 0x80) {
            decoding.complete = false;
            return decoding;
        }
        if (bytes.size() - at < static_cast<std::size_t>(length)) {
            decoding.complete = false;
            return decoding;
        }
        for (int next = 1; next < length; ++next) {
            const auto byte = static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(next)]);
            if ((byte & 0xC0U) != 0x80U) {
                decoding.complete = false;
                return decoding;
            }
            c = (c << 6U) | (byte & 0x3FU);
        }
        if (c < least || c > 0x10FFFF || IsSurrogate(c)) {
            decoding.complete = false;
            return decoding;
        }
        decoding.text.push_back(c);
        at += static_cast<std::size_t>(length);
    }
    return decoding;
}

Decoding DecodeUtf16(std::string_view bytes, bool bigEndian) {
    Decoding decoding;
    const auto unitAt = [bytes, bigEndian](std::size_t at) {
        const auto first = static_cast<std::uint8_t>(bytes[at]);
        const auto second = static_cast<std::uint8_t>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8U) | second : (second << 8U) | first);
    };
    std::size_t at = 0;
    while (at + 1 < bytes.size()) {
        const char32_t unit = unitAt(at);
        at += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < bytes.size()) {
            const char32_t low = unitAt(at);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                decoding.text.push_back(0x10000 + ((unit - 0xD800) << 10U) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        if (IsSurrogate(unit)) {
            decoding.complete = false;
            return decoding;
        }
        decoding.text.push_back(unit);
    }
    decoding.complete = at == bytes.size();
    return decoding;
}

std::u32string DecodeWindows1251(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        text.push_back(value < 0x80 ? value : kWindows1251[value - 0x80U]);
    }
    return text;
}

void AppendUtf8(char32_t c, std::string& text) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0U | (c >> 6U)));
        text.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0U | (c >> 12U)));
        text.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        text.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    } else {
        text.push_back(static_cast<char>(0xF0U | (c >> 18U)));
        text.push_back(static_cast<char>(0x80U | ((c >> 12U) & 0x3FU)));
        text.push_back(static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)));
        text.push_back(static_cast<char>(0x80U | (c & 0x3FU)));
    }
}

std::variant<std::string, TableError> DecodeText(std::string_view bytes) {
    Decoding decoding;
    const char* encoding = "UTF-8";
    if (bytes.starts_with(kUtf8Mark)) {
        decoding = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    } else if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark)) {
        decoding = DecodeUtf16(bytes.substr(2), bytes.starts_with(kUtf16BigMark));
        encoding = "UTF-16";
    } else {
        decoding = DecodeUtf8(bytes);
        if (!decoding.complete) {
            decoding = {DecodeWindows1251(bytes), true};
        }
    }
    const std::u32string& text = decoding.text;
    if (!decoding.complete) {
        return TableError{LineAt(text, text.size()), std::string("текстът не е в кодировка ") +
                                                         encoding +
                                                         ", каквато обявява в началото си"};
    }
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsText(text[at])) {
            return TableError{LineAt(text, at), "знаци, които не са текст (двоичен файл?)"};
        }
        AppendUtf8(text[at], utf8);
    }
    return utf8;
}

} // namespace quiz
