// SPDX-License-Identifier: MIT
// A check and an ended round as xAPI statements, with the activities' stable ids.
#pragma once

#include <Fsrs.h>
#include <optional>
#include <string>
#include <string_view>

namespace statements {

inline constexpr const char* kAnswered = "http://adlnet.gov/expapi/verbs/answered";
inline constexpr const char* kCompleted = "http://adlnet.gov/expapi/verbs/completed";
inline constexpr const char* kInteraction = "http://adlnet.gov/expapi/activities/cmi.interaction";
// What the platform and the language of every statement say.
[[nodiscard]] const char* Platform();
inline constexpr const char* kLanguage = "bg";
// The school's address when the settings name none: an account needs one, and this one
// (RFC 2606) can never be anybody's.
inline constexpr const char* kNoSchool = "https://school.invalid/";

// A table's activity: "urn:trevika:table:" and the store's key of the table, and a pair's: the
// table's, ":pair:", then both texts, every byte outside the unreserved ones of RFC 3986 written
// as %XX, so that the id names the same pair as the store and is one valid IRI whatever the
// texts hold.
[[nodiscard]] std::string TableActivity(const std::string& tableKey);
[[nodiscard]] std::string PairActivity(const std::string& tableKey, const std::string& left,
                                       const std::string& right);
[[nodiscard]] std::string PercentEncoded(const std::string& text);

// A random (version 4) UUID, lower case, from the system's random source.
[[nodiscard]] std::string NewUuid();
[[nodiscard]] bool IsUuid(const std::string& text);
// ISO 8601 in UTC to the millisecond: 2026-12-11T14:32:23.123Z.
[[nodiscard]] std::string Timestamp(progress::TimeMs time);
// A timestamp as Timestamp writes it, or any ISO 8601 one of the form YYYY-MM-DDTHH:MM:SS with
// fractions of a second and Z or an offset (±HH:MM); none for another form.
[[nodiscard]] std::optional<progress::TimeMs> ParseTimestamp(std::string_view text);
// The text as a JSON string, quoted; a byte that is not valid UTF-8 becomes U+FFFD.
[[nodiscard]] std::string JsonString(const std::string& text);

// The learner: an account at the school, by the name chosen in the program, and nothing else.
struct Learner {
    std::string school; // the account's homePage; kNoSchool when empty
    std::string name;
};

struct TableInPlay {
    std::string key;   // the store's key
    std::string title; // the table's title, as the window shows it
};

// One check: the left text, the right text that belongs to it, and the one chosen.
struct Answer {
    std::string id;
    std::string round; // the registration
    Learner learner;
    TableInPlay table;
    std::string left;
    std::string right;
    std::string chosen;
    bool success = false;
    progress::TimeMs time = 0;
};
[[nodiscard]] std::string AnsweredStatement(const Answer& answer);

struct Completion {
    std::string id;
    std::string round;
    Learner learner;
    TableInPlay table;
    int right = 0;
    int offered = 0;
    progress::TimeMs time = 0;
};
[[nodiscard]] std::string CompletedStatement(const Completion& completion);

// The statements as one JSON array, as a POST of a batch and an exported file hold them.
template <typename Texts> std::string JsonArray(const Texts& statements) {
    std::string array = "[";
    for (const auto& statement : statements) {
        array.append(array.size() > 1 ? "," : "").append(statement);
    }
    return array.append("]");
}

} // namespace statements
