// SPDX-License-Identifier: MIT
// The text encodings a spreadsheet saves in, decoded to UTF-8.
#pragma once

#include "PairTable.h"

#include <string>
#include <string_view>
#include <variant>

namespace quiz {

// Code points, and whether the bytes were decoded to their end: when not, the code points
// are those before the first fault.
struct Decoding {
    std::u32string text;
    bool complete = true;
};

// Strict: no overlong forms, surrogates or code points past U+10FFFF.
[[nodiscard]] Decoding DecodeUtf8(std::string_view bytes);
// Surrogates only in pairs; an odd last byte is a fault.
[[nodiscard]] Decoding DecodeUtf16(std::string_view bytes, bool bigEndian);
// Every byte has a code point: 0x98, which the code page leaves out, becomes the control
// character U+0098, as Windows itself reads it.
[[nodiscard]] std::u32string DecodeWindows1251(std::string_view bytes);
void AppendUtf8(char32_t codePoint, std::string& text);
// Control characters other than tab and line ends, and the non-characters U+FFFE and U+FFFF,
// are not text.
[[nodiscard]] bool IsText(char32_t c);

// A file's text as UTF-8, without its byte-order mark. UTF-8 and UTF-16 are known by their
// byte-order marks; without one, what is not valid UTF-8 is Windows-1251, which Excel writes
// on a Bulgarian Windows. Control characters other than tab and line ends are not text: the
// file is binary, or in an encoding it does not say.
[[nodiscard]] std::variant<std::string, TableError> DecodeText(std::string_view bytes);

} // namespace quiz
