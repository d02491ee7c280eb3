// SPDX-License-Identifier: MIT
#include "Statements.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>

namespace statements {
namespace {

constexpr std::size_t kUuidLength = 36;

std::string Account(const Learner& learner) {
    return R"({"objectType":"Agent","account":{"homePage":)" +
           JsonString(learner.school.empty() ? kNoSchool : learner.school) + R"(,"name":)" +
           JsonString(learner.name) + "}}";
}

std::string Verb(const char* id, const char* display) {
    return std::string(R"({"id":")") + id + R"(","display":{"en-US":")" + display + "\"}}";
}

std::string LanguageMap(const std::string& text) {
    return std::string(R"({")") + kLanguage + "\":" + JsonString(text) + "}";
}

std::string TableObject(const TableInPlay& table) {
    return R"({"objectType":"Activity","id":)" + JsonString(TableActivity(table.key)) +
           R"(,"definition":{"type":"http://adlnet.gov/expapi/activities/assessment","name":)" +
           LanguageMap(table.title) + "}}";
}

std::string Context(const std::string& round, const TableInPlay& table, bool parent) {
    std::string context = R"({"registration":)" + JsonString(round);
    if (parent) {
        context += R"(,"contextActivities":{"parent":[{"objectType":"Activity","id":)" +
                   JsonString(TableActivity(table.key)) + "}]}";
    }
    return context + R"(,"platform":)" + JsonString(Platform()) + R"(,"language":")" + kLanguage +
           "\"}";
}

// The matching response of one pair, as xAPI writes it: source[.]target.
std::string Matching(const std::string& left, const std::string& right) {
    return left + "[.]" + right;
}

// The next code point of valid UTF-8 at the position, with its length; 0 for none.
std::size_t ValidLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char first = byte(at);
    std::size_t length = 0;
    std::uint32_t least = 0;
    if (first < 0x80) {
        return 1;
    }
    if (first >= 0xc2 && first <= 0xdf) {
        length = 2;
        least = 0x80;
    } else if (first >= 0xe0 && first <= 0xef) {
        length = 3;
        least = 0x800;
    } else if (first >= 0xf0 && first <= 0xf4) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    std::uint32_t code = first & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xc0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(at + i) & 0x3f);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < least || code > 0x10ffff || surrogate ? 0 : length;
}

} // namespace

const char* Platform() {
    return TREVIKA_PLATFORM;
}

std::string PercentEncoded(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~';
        if (unreserved) {
            encoded += c;
        } else {
            encoded.append(1, '%').append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xf]);
        }
    }
    return encoded;
}

std::string TableActivity(const std::string& tableKey) {
    return "urn:trevika:table:" + PercentEncoded(tableKey);
}

std::string PairActivity(const std::string& tableKey, const std::string& left,
                         const std::string& right) {
    return TableActivity(tableKey) + ":pair:" + PercentEncoded(left) + ":" + PercentEncoded(right);
}

std::string NewUuid() {
    static thread_local std::mt19937_64 random = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    std::array<unsigned char, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t value = random();
        for (std::size_t j = 0; j < 8; ++j) {
            bytes[i + j] = static_cast<unsigned char>(value >> (8 * j));
        }
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0f) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3f) | 0x80);
    std::string uuid;
    static constexpr char kHex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            uuid += '-';
        }
        uuid.append(1, kHex[bytes[i] >> 4]).append(1, kHex[bytes[i] & 0xf]);
    }
    return uuid;
}

bool IsUuid(const std::string& text) {
    if (text.size() != kUuidLength) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (dash ? c != '-' : !hex) {
            return false;
        }
    }
    return true;
}

std::string Timestamp(progress::TimeMs time) {
    using namespace std::chrono;
    const sys_time<milliseconds> at{milliseconds(time)};
    const sys_days day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss clock{at - day};
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()),
                  static_cast<int>(clock.subseconds().count()));
    return text.data();
}

std::optional<progress::TimeMs> ParseTimestamp(std::string_view text) {
    const auto digits = [&](std::size_t at, std::size_t count) -> std::optional<int> {
        if (at + count > text.size()) {
            return std::nullopt;
        }
        int value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return std::nullopt;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto sign = [&](std::size_t at, char c) {
        return at < text.size() && text[at] == c;
    };
    const auto year = digits(0, 4);
    const auto month = digits(5, 2);
    const auto day = digits(8, 2);
    const auto hours = digits(11, 2);
    const auto minutes = digits(14, 2);
    const auto seconds = digits(17, 2);
    if (!year || !month || !day || !hours || !minutes || !seconds || !sign(4, '-') ||
        !sign(7, '-') || !(sign(10, 'T') || sign(10, 't')) || !sign(13, ':') || !sign(16, ':') ||
        *hours > 23 || *minutes > 59 || *seconds > 60) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(*year), std::chrono::month(*month),
                              std::chrono::day(*day)};
    if (!date.ok()) {
        return std::nullopt;
    }
    std::size_t at = 19;
    long long millis = 0;
    if (sign(at, '.')) {
        long long scale = 100;
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
            millis += (text[at] - '0') * scale;
            scale /= 10;
        }
    }
    long long offset = 0;
    if (sign(at, 'Z') || sign(at, 'z')) {
        ++at;
    } else if (sign(at, '+') || sign(at, '-')) {
        const auto offsetHours = digits(at + 1, 2);
        const auto offsetMinutes = digits(at + 4, 2);
        if (!offsetHours || !offsetMinutes || !sign(at + 3, ':') || *offsetHours > 23 ||
            *offsetMinutes > 59) {
            return std::nullopt;
        }
        offset = (*offsetHours * 60LL + *offsetMinutes) * 60'000 * (text[at] == '-' ? -1 : 1);
        at += 6;
    } else {
        return std::nullopt;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    const auto local = sys_days(date) + std::chrono::hours(*hours) +
                       std::chrono::minutes(*minutes) + std::chrono::seconds(*seconds);
    return duration_cast<milliseconds>(local.time_since_epoch()).count() + millis - offset;
}

std::string JsonString(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string json = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const std::size_t length = ValidLength(text, at);
        if (length == 0) {
            json += "\xEF\xBF\xBD";
            ++at;
            continue;
        }
        if (byte == '"' || byte == '\\') {
            json.append(1, '\\').append(1, text[at]);
        } else if (byte == '\n') {
            json += "\\n";
        } else if (byte == '\t') {
            json += "\\t";
        } else if (byte == '\r') {
            json += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            json.append("\\u00").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xf]);
        } else {
            json.append(text, at, length);
        }
        at += length;
    }
    return json + "\"";
}

std::string AnsweredStatement(const Answer& answer) {
    const std::string name = answer.left + " – " + answer.right;
    return R"({"id":)" + JsonString(answer.id) + R"(,"actor":)" + Account(answer.learner) +
           R"(,"verb":)" + Verb(kAnswered, "answered") +
           R"(,"object":{"objectType":"Activity","id":)" +
           JsonString(PairActivity(answer.table.key, answer.left, answer.right)) +
           R"(,"definition":{"type":")" + kInteraction + R"(","name":)" + LanguageMap(name) +
           R"(,"interactionType":"matching","correctResponsesPattern":[)" +
           JsonString(Matching(answer.left, answer.right)) + "]}}" + R"(,"result":{"success":)" +
           (answer.success ? "true" : "false") + R"(,"response":)" +
           JsonString(Matching(answer.left, answer.chosen)) + "}" + R"(,"context":)" +
           Context(answer.round, answer.table, true) + R"(,"timestamp":")" +
           Timestamp(answer.time) + "\"}";
}

std::string CompletedStatement(const Completion& completion) {
    const double scaled =
        completion.offered > 0 ? static_cast<double>(completion.right) / completion.offered : 0;
    std::array<char, 32> scaledText{};
    std::snprintf(scaledText.data(), scaledText.size(), "%.4g", scaled);
    return R"({"id":)" + JsonString(completion.id) + R"(,"actor":)" + Account(completion.learner) +
           R"(,"verb":)" + Verb(kCompleted, "completed") + R"(,"object":)" +
           TableObject(completion.table) + R"(,"result":{"score":{"raw":)" +
           std::to_string(completion.right) + R"(,"min":0,"max":)" +
           std::to_string(completion.offered) + R"(,"scaled":)" + scaledText.data() +
           R"(},"success":)" + (completion.right == completion.offered ? "true" : "false") +
           R"(,"completion":true},"context":)" +
           Context(completion.round, completion.table, false) + R"(,"timestamp":")" +
           Timestamp(completion.time) + "\"}";
}

} // namespace statements
