// SPDX-License-Identifier: MIT
#include "TextEncoding.h"

#include <gtest/gtest.h>

namespace {

using quiz::DecodeText;
using quiz::TableError;

std::string Utf8(const std::u32string& text) {
    std::string utf8;
    for (const char32_t c : text) {
        quiz::AppendUtf8(c, utf8);
    }
    return utf8;
}

struct BadUtf8 {
    const char* name;
    std::string bytes;
};

void PrintTo(const BadUtf8& bytes, std::ostream* out) {
    *out << bytes.name;
}

class Utf8Faults : public testing::TestWithParam<BadUtf8> {};

TEST_P(Utf8Faults, StopBeforeTheFault) {
    const quiz::Decoding decoding = quiz::DecodeUtf8("Ок" + GetParam().bytes + "!");
    EXPECT_FALSE(decoding.complete);
    EXPECT_EQ(decoding.text, U"Ок");
}

INSTANTIATE_TEST_SUITE_P(Bytes, Utf8Faults,
                         testing::Values(BadUtf8{"overlong_slash", "\xC0\xAF"},
                                         BadUtf8{"overlong_three", "\xE0\x80\xAF"},
                                         BadUtf8{"surrogate", "\xED\xA0\x80"},
                                         BadUtf8{"past_unicode", "\xF4\x90\x80\x80"},
                                         BadUtf8{"lone_continuation", "\x80"},
                                         BadUtf8{"cut_short", "\xD0"},
                                         BadUtf8{"five_bytes", "\xF8\x88\x80\x80\x80"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextEncoding, Utf8RoundTripsEveryLength) {
    const std::u32string text = U"A\u00E9\u0416\u201E\U0001F600";
    const quiz::Decoding decoding = quiz::DecodeUtf8(Utf8(text));
    EXPECT_TRUE(decoding.complete);
    EXPECT_EQ(decoding.text, text);
}

TEST(TextEncoding, Utf16BothOrdersWithSurrogatePairs) {
    const std::string little("\x1A\x04\x30\x04\x3D\xD8\x00\xDE", 8);
    const std::string big("\x04\x1A\x04\x30\xD8\x3D\xDE\x00", 8);
    EXPECT_EQ(quiz::DecodeUtf16(little, false).text, U"Ка\U0001F600");
    EXPECT_EQ(quiz::DecodeUtf16(big, true).text, U"Ка\U0001F600");
    EXPECT_FALSE(quiz::DecodeUtf16(std::string("\x3D\xD8\x41\x00", 4), false).complete);
    EXPECT_FALSE(quiz::DecodeUtf16(std::string("\x41\x00\x42", 3), false).complete);
}

TEST(TextEncoding, Windows1251IsTheBulgarianCodePage) {
    EXPECT_EQ(Utf8(quiz::DecodeWindows1251("\xCA\xE0\xE1\xE8\xEB\xE5 \xA8\xB8 \x84\x93\x94 \x96")),
              "Кабиле Ёё „“” –");
    std::string letters;
    for (int byte = 0xC0; byte <= 0xFF; ++byte) {
        letters.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(Utf8(quiz::DecodeWindows1251(letters)),
              "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя");
}

struct Decoded {
    const char* name;
    std::string bytes;
    std::string text; // empty for a fault
    TableError error;
};

void PrintTo(const Decoded& decoded, std::ostream* out) {
    *out << decoded.name;
}

class DecodeTextCases : public testing::TestWithParam<Decoded> {};

TEST_P(DecodeTextCases, TextOrFault) {
    const auto result = DecodeText(GetParam().bytes);
    if (GetParam().text.empty()) {
        ASSERT_TRUE(std::holds_alternative<TableError>(result));
        EXPECT_EQ(std::get<TableError>(result).line, GetParam().error.line);
        EXPECT_EQ(std::get<TableError>(result).fault, GetParam().error.fault);
    } else {
        ASSERT_TRUE(std::holds_alternative<std::string>(result));
        EXPECT_EQ(std::get<std::string>(result), GetParam().text);
    }
}

const std::string kBinary = "знаци, които не са текст (двоичен файл?)";

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeTextCases,
    testing::Values(
        Decoded{"utf8_without_mark", "а;б\r\n", "а;б\r\n", {}},
        Decoded{"utf8_mark_dropped",
                "\xEF\xBB\xBF"
                "а;б",
                "а;б",
                {}},
        Decoded{"utf16_little", std::string("\xFF\xFE\x30\x04\x09\x00\x31\x04", 8), "а\tб", {}},
        Decoded{"utf16_big", std::string("\xFE\xFF\x04\x30\x00\x09\x04\x31", 8), "а\tб", {}},
        Decoded{"not_utf8_is_1251",
                "\xF1\xE5\xEB\xE8\xF9\xE5;\xEE\xE1\xE5\xEA\xF2",
                "селище;обект",
                {}},
        Decoded{"bad_utf8_after_mark",
                "\xEF\xBB\xBF"
                "а\nб\n\xF1",
                "",
                {3, "текстът не е в кодировка UTF-8, каквато обявява в началото си"}},
        Decoded{"odd_utf16",
                std::string("\xFF\xFE\x0D\x00\x0A\x00\x41", 7),
                "",
                {2, "текстът не е в кодировка UTF-16, каквато обявява в началото си"}},
        Decoded{"nul_on_third_line", std::string("a\r\nb\rc\0", 7), "", {3, kBinary}},
        Decoded{"undefined_1251_byte", "\xE0\n\x98", "", {2, kBinary}},
        Decoded{"c1_control_in_utf8", "a\xC2\x85", "", {1, kBinary}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
