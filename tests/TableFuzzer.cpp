// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as a table file, read as CSV text, or with
// TREVIKA_FUZZ_SPREADSHEETS by the reader of every kind of file, spreadsheets first, or with
// TREVIKA_FUZZ_QUESTIONS as Moodle XML, or as GIFT where the bytes begin with "gift"; a table of
// questions must also come back from both formats as it was written. The reader
// must answer each with a table or a fault, never crash; a table must keep to the limits, be
// written and read back unchanged, and play to the end with every pair right. Since a changed
// byte inside a ZIP only breaks its checksum, bytes that start with "parts" are the parts of a
// spreadsheet themselves, each after a line "=NAME", for the XML readers to meet directly.
#include <PairTable.h>
#include <Quiz.h>
#include <Spreadsheet.h>
#include <TableFile.h>
#include <TextEncoding.h>
#ifdef TREVIKA_FUZZ_SPREADSHEETS
#include <SheetTable.h>
#include <map>
#endif
#ifdef TREVIKA_FUZZ_QUESTIONS
#include <Gift.h>
#include <MoodleXml.h>
#include <algorithm>
#include <tuple>
#include <vector>
#endif
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "table fuzzer: %s\n", what.c_str());
    std::abort();
}

void CheckText(std::string_view text, bool mayBeEmpty) {
    if (text.empty() && !mayBeEmpty) {
        Fail("an empty text was read");
    }
    const quiz::Decoding decoding = quiz::DecodeUtf8(text);
    if (!decoding.complete || decoding.text.size() > quiz::kMaxTextLength) {
        Fail("a text is not UTF-8 or is too long: " + std::string(text));
    }
}

// Picks each pair's texts in the lists, in the table's order: some pair holds both, so each
// check must be right, and the round must end with nothing missed.
void Play(const std::shared_ptr<const quiz::PairTable>& table) {
    quiz::Quiz quiz;
    quiz.UseTable(table);
    for (const quiz::Pair& pair : table->pairs) {
        for (quiz::PickList* list : {&quiz.Settlements(), &quiz.Sites()}) {
            const std::string& text = list == &quiz.Settlements() ? pair.left : pair.right;
            for (int index = 0; index < list->ListCount(); ++index) {
                if (list->List(index) == text) {
                    list->SetListIndex(index);
                    break;
                }
            }
        }
        quiz.ListClick();
    }
    if (!quiz.RoundOver() || quiz.RightPairs() != quiz.Checks() || !quiz.MissedRows().empty()) {
        Fail("a round of the table's own pairs ended as " + quiz.ScoreText());
    }
}

#ifdef TREVIKA_FUZZ_SPREADSHEETS
class FuzzParts final : public sheets::Parts {
public:
    explicit FuzzParts(std::string_view bytes) {
        std::string* part = nullptr;
        while (!bytes.empty()) {
            const std::size_t end = std::min(bytes.find('\n'), bytes.size());
            const std::string_view line = bytes.substr(0, end);
            bytes.remove_prefix(std::min(end + 1, bytes.size()));
            if (line.starts_with('=')) {
                part = &m_parts[std::string(line.substr(1))];
            } else if (part != nullptr) {
                part->append(line).push_back('\n');
            }
        }
    }
    bool Has(const std::string& name) override { return m_parts.contains(name); }
    std::variant<std::string, quiz::TableError> Read(const std::string& name) override {
        if (!Has(name)) {
            return quiz::TableError{0, "missing"};
        }
        return m_parts[name];
    }

private:
    std::map<std::string, std::string> m_parts;
};

std::variant<quiz::PairTable, quiz::TableError> Read(std::string_view bytes) {
    if (bytes.starts_with("parts")) {
        FuzzParts parts(bytes);
        return parts.Has("content.xml") ? sheets::ReadOds(parts, "fuzz")
                                        : sheets::ReadXlsx(parts, "fuzz");
    }
    return sheets::ReadTableFile(bytes, "fuzz");
}
#elif defined(TREVIKA_FUZZ_QUESTIONS)
std::variant<quiz::PairTable, quiz::TableError> Read(std::string_view bytes) {
    auto read = bytes.starts_with("gift") ? exchange::ReadGift(bytes.substr(4), "fuzz")
                                          : exchange::ReadMoodleXml(bytes, "fuzz");
    if (auto* error = std::get_if<quiz::TableError>(&read)) {
        return *error;
    }
    auto& imported = std::get<exchange::ImportedTable>(read);
    if (imported.skipped < 0) {
        Fail("a negative count of questions left out");
    }
    return std::move(imported.table);
}

// GIFT cannot keep white space before a left text or after a right one: the arrow's own
// spaces and the line's end stand there.
std::vector<std::tuple<std::string, std::string>> Pairs(const quiz::PairTable& table, bool gift) {
    std::vector<std::tuple<std::string, std::string>> pairs;
    for (const quiz::Pair& pair : table.pairs) {
        std::string left = pair.left;
        std::string right = pair.right;
        if (gift) {
            left.erase(0, std::min(left.find_first_not_of(" \t"), left.size()));
            right.erase(right.find_last_not_of(" \t") + 1);
        }
        pairs.emplace_back(left, right);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// Out to both formats and back: the same pairs, in any order.
void ComeBack(const quiz::PairTable& table) {
    const quiz::Collation order;
    for (const bool gift : {true, false}) {
        const exchange::Written written =
            gift ? exchange::WriteGift(table, order) : exchange::WriteMoodleXml(table, order);
        const auto* bytes = std::get_if<std::string>(&written);
        if (bytes == nullptr) {
            if (table.pairs.size() >= exchange::kMinQuestionPairs && !gift) {
                Fail("Moodle XML refused a table: " +
                     std::get<exchange::WriteFault>(written).fault);
            }
            continue;
        }
        auto back =
            gift ? exchange::ReadGift(*bytes, "fuzz") : exchange::ReadMoodleXml(*bytes, "fuzz");
        const auto* imported = std::get_if<exchange::ImportedTable>(&back);
        if (imported == nullptr) {
            Fail(std::string(gift ? "GIFT" : "Moodle XML") +
                 " written was refused: " + std::get<quiz::TableError>(back).fault + "\n" + *bytes);
        }
        if (Pairs(imported->table, gift) != Pairs(table, gift)) {
            Fail(std::string(gift ? "GIFT" : "Moodle XML") + " did not come back:\n" + *bytes);
        }
    }
}
#else
std::variant<quiz::PairTable, quiz::TableError> Read(std::string_view bytes) {
    return quiz::ReadTable(bytes, "fuzz");
}
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto read = Read(bytes);
    if (const auto* error = std::get_if<quiz::TableError>(&read)) {
        if (error->fault.empty() || error->line < 0) {
            Fail("a fault without words, or on line " + std::to_string(error->line));
        }
        return 0;
    }
    const quiz::PairTable& table = std::get<quiz::PairTable>(read);
    if (table.columns.size() < 2 || table.columns.size() > 3 || table.pairs.empty() ||
        table.pairs.size() > quiz::kMaxPairs) {
        Fail("a table of " + std::to_string(table.columns.size()) + " columns and " +
             std::to_string(table.pairs.size()) + " pairs");
    }
    for (const std::string& column : table.columns) {
        CheckText(column, false);
    }
    for (const quiz::Pair& pair : table.pairs) {
        CheckText(pair.left, false);
        CheckText(pair.right, false);
        CheckText(pair.note, true);
    }

    auto again = quiz::ReadTable(quiz::WriteTable(table), "fuzz");
    const auto* copy = std::get_if<quiz::PairTable>(&again);
    if (copy == nullptr || copy->columns != table.columns ||
        copy->pairs.size() != table.pairs.size()) {
        Fail("the table did not read back as it was written");
    }
    for (std::size_t pair = 0; pair < table.pairs.size(); ++pair) {
        const quiz::Pair& a = table.pairs[pair];
        const quiz::Pair& b = copy->pairs[pair];
        if (a.left != b.left || a.right != b.right || a.note != b.note) {
            Fail("pair " + std::to_string(pair) + " changed on the way back");
        }
    }
    // Filling the lists sorts with the platform's collator: small tables play, large ones
    // would only slow the search down.
    if (table.pairs.size() <= 64) {
        Play(std::make_shared<const quiz::PairTable>(table));
#ifdef TREVIKA_FUZZ_QUESTIONS
        ComeBack(table);
#endif
    }
    return 0;
}
