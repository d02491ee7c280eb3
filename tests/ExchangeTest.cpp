// SPDX-License-Identifier: MIT
// Tables for Moodle and Anki: the files as written for a short table, the questions a table is
// cut into, the way back in from each format, exports written as Moodle writes them, and files
// that are not questions.
#include "TestData.h"

#include <Anki.h>
#include <Gift.h>
#include <MoodleXml.h>
#include <PairTable.h>
#include <Questions.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace {

using Reader = std::variant<exchange::ImportedTable, quiz::TableError> (*)(std::string_view,
                                                                           std::string);

// The pairs without their order, which the questions change.
std::vector<std::tuple<std::string, std::string>> Pairs(const quiz::PairTable& table) {
    std::vector<std::tuple<std::string, std::string>> pairs;
    for (const quiz::Pair& pair : table.pairs) {
        pairs.emplace_back(pair.left, pair.right);
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// The pairs that only one of the two has, to read where they differ.
std::string OnlyInOne(const std::vector<std::tuple<std::string, std::string>>& got,
                      const std::vector<std::tuple<std::string, std::string>>& want) {
    std::vector<std::tuple<std::string, std::string>> extra;
    std::vector<std::tuple<std::string, std::string>> missing;
    std::set_difference(got.begin(), got.end(), want.begin(), want.end(),
                        std::back_inserter(extra));
    std::set_difference(want.begin(), want.end(), got.begin(), got.end(),
                        std::back_inserter(missing));
    std::string text;
    for (const auto& [left, right] : extra) {
        text.append("read, not written: ").append(left).append(" | ").append(right) += '\n';
    }
    for (const auto& [left, right] : missing) {
        text.append("written, not read: ").append(left).append(" | ").append(right) += '\n';
    }
    return text;
}

std::string Bytes(const exchange::Written& written) {
    const auto* bytes = std::get_if<std::string>(&written);
    EXPECT_NE(bytes, nullptr) << std::get<exchange::WriteFault>(written).fault;
    return bytes != nullptr ? *bytes : std::string();
}

// Four rivers: two in the same sea, and texts with what each format must escape.
quiz::PairTable Rivers() {
    return {"Реки/2",
            {"река", "влива се в", "област"},
            {{"Искър", "Дунав", "София"},
             {"Марица", "Бяло море", "Пловдив"},
             {"Янтра {Етър}", "Дунав: при Свищов", "Велико Търново"},
             {"Камчия & Луда", "Черно море = #1 ~ <тук>", "Варна"}}};
}

TEST(Exchange, AShortTableAsEachFormatWritesIt) {
    const quiz::Collation order;
    EXPECT_EQ(Bytes(exchange::WriteGift(Rivers(), order)),
              "// Реки/2\n"
              "$CATEGORY: $course$/top/Реки//2\n"
              "\n"
              "::Реки/2 1::Свържете\\: река – влива се в. {\n"
              "=Камчия & Луда -> Черно море \\= \\#1 \\~ <тук>\n"
              "=Янтра \\{Етър\\} -> Дунав\\: при Свищов\n"
              "=Марица -> Бяло море\n"
              "=Искър -> Дунав\n"
              "}\n");
    EXPECT_EQ(Bytes(exchange::WriteMoodleXml(Rivers(), order)),
              R"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
  <question type="category">
    <category>
      <text>$course$/top/Реки//2</text>
    </category>
  </question>
  <question type="matching">
    <name>
      <text>Реки/2 1</text>
    </name>
    <questiontext format="plain_text">
      <text>Свържете: река – влива се в.</text>
    </questiontext>
    <generalfeedback format="plain_text">
      <text></text>
    </generalfeedback>
    <defaultgrade>1</defaultgrade>
    <penalty>0.3333333</penalty>
    <hidden>0</hidden>
    <shuffleanswers>true</shuffleanswers>
    <subquestion format="plain_text">
      <text>Камчия &amp; Луда</text>
      <answer>
        <text>Черно море = #1 ~ &lt;тук&gt;</text>
      </answer>
    </subquestion>
    <subquestion format="plain_text">
      <text>Янтра {Етър}</text>
      <answer>
        <text>Дунав: при Свищов</text>
      </answer>
    </subquestion>
    <subquestion format="plain_text">
      <text>Марица</text>
      <answer>
        <text>Бяло море</text>
      </answer>
    </subquestion>
    <subquestion format="plain_text">
      <text>Искър</text>
      <answer>
        <text>Дунав</text>
      </answer>
    </subquestion>
  </question>
</quiz>
)");
    EXPECT_EQ(exchange::WriteAnki(Rivers()), "#separator:tab\n"
                                             "#html:false\n"
                                             "#columns:река\tвлива се в\tTags\n"
                                             "#deck:Реки/2\n"
                                             "#tags column:3\n"
                                             "Искър\tДунав\tСофия\n"
                                             "Марица\tБяло море\tПловдив\n"
                                             "Янтра {Етър}\tДунав: при Свищов\tВелико_Търново\n"
                                             "Камчия & Луда\tЧерно море = #1 ~ <тук>\tВарна\n");
}

// Every pair once, in the questions' order by region and then by the left text, none of fewer
// than 3 pairs or more than 10, as few as that allows.
TEST(Exchange, TablesAreCutIntoQuestionsOfThreeToTenPairs) {
    const quiz::Collation order;
    for (const std::size_t count : {2, 3, 10, 11, 21, 59, 60, 1000}) {
        quiz::PairTable table{"Т", {"а", "б", "в"}, {}};
        for (std::size_t i = 0; i < count; ++i) {
            table.pairs.push_back({"ляво " + std::to_string(i), "дясно " + std::to_string(i),
                                   "група " + std::to_string(i % 7)});
        }
        const auto questions = exchange::QuestionsOf(table, order);
        if (count < exchange::kMinQuestionPairs) {
            EXPECT_TRUE(questions.empty());
            continue;
        }
        EXPECT_EQ(questions.size(), (count + 9) / 10) << count;
        std::vector<quiz::Pair> all;
        for (std::size_t i = 0; i < questions.size(); ++i) {
            EXPECT_EQ(questions[i].name, "Т " + std::to_string(i + 1));
            EXPECT_GE(questions[i].pairs.size(), 3U) << count;
            EXPECT_LE(questions[i].pairs.size(), 10U) << count;
            all.insert(all.end(), questions[i].pairs.begin(), questions[i].pairs.end());
        }
        ASSERT_EQ(all.size(), count);
        EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [&](const auto& a, const auto& b) {
            return a.note != b.note ? order.Less(a.note, b.note) : order.Less(a.left, b.left);
        }));
        EXPECT_EQ(Pairs({"", {}, all}), Pairs(table)) << count;
    }
}

// Out to each format and back in: the same pairs, and the table's own column names.
TEST(Exchange, TablesComeBackFromEachFormat) {
    const quiz::Collation order;
    quiz::PairTable odd = Rivers();
    odd.pairs.push_back({R"(a\b \n c)", R"(d\ \\ e})", ""});
    odd.pairs.push_back({"// не бележка", "::двоеточия:: [html]", ""});
    for (const quiz::PairTable& table : {*quiz::BuiltInTable(), odd}) {
        const std::pair<exchange::Written, Reader> formats[] = {
            {exchange::WriteGift(table, order), &exchange::ReadGift},
            {exchange::WriteMoodleXml(table, order), &exchange::ReadMoodleXml}};
        for (const auto& [written, read] : formats) {
            auto back = read(Bytes(written), "обратно");
            ASSERT_TRUE(std::holds_alternative<exchange::ImportedTable>(back))
                << std::get<quiz::TableError>(back).fault << "\n"
                << Bytes(written);
            const exchange::ImportedTable& imported = std::get<exchange::ImportedTable>(back);
            EXPECT_EQ(imported.skipped, 0);
            EXPECT_EQ(imported.table.title, "обратно");
            EXPECT_EQ(imported.table.columns,
                      std::vector<std::string>(table.columns.begin(), table.columns.begin() + 2));
            EXPECT_EQ(OnlyInOne(Pairs(imported.table), Pairs(table)), "");
        }
    }
}

// Moodle's own exports, as its documentation shows them: matching questions in HTML, CDATA
// and references, extra wrong answers, and other kinds of question, counted.
TEST(Exchange, MoodleExportsOpenWithTheirMatchingPairs) {
    const struct {
        const char* file;
        Reader read;
        std::vector<std::tuple<std::string, std::string>> pairs;
        int skipped;
    } exports[] = {
        {"exchange/moodle-export.xml",
         &exchange::ReadMoodleXml,
         {{"Искър", "Дунав"},
          {"Марица (Евро)", "Бяло море"},
          {"Пловдив <Тримонциум>", "Марица"},
          {"Русе & Гюргево", "Дунав"},
          {"Янтра", "Дунав"}},
         2},
        {"exchange/moodle-export.gift",
         &exchange::ReadGift,
         {{"Искър", "Дунав"},
          {"Марица (Евро)", "Бяло море"},
          {"Пловдив {Тримонциум}", "Марица ~ Тракия"},
          {"Русе и Гюргево = двойка", "Дунав"}},
         3},
    };
    for (const auto& expected : exports) {
        auto read = expected.read(testdata::FileBytes(expected.file), "реки");
        ASSERT_TRUE(std::holds_alternative<exchange::ImportedTable>(read))
            << expected.file << ": " << std::get<quiz::TableError>(read).fault;
        const exchange::ImportedTable& imported = std::get<exchange::ImportedTable>(read);
        EXPECT_EQ(imported.table.columns, (std::vector<std::string>{"Въпрос", "Отговор"}));
        EXPECT_EQ(OnlyInOne(Pairs(imported.table), expected.pairs), "") << expected.file;
        EXPECT_EQ(imported.skipped, expected.skipped) << expected.file;
    }
    EXPECT_EQ(exchange::SkippedText(3), "пропуснати 3 въпроса, които не са за свързване");
}

struct BadQuestions {
    const char* name;
    Reader read;
    std::string bytes;
    quiz::TableError error;
};

void PrintTo(const BadQuestions& row, std::ostream* out) {
    *out << row.name;
}

class ExchangeBadFile : public testing::TestWithParam<BadQuestions> {};

TEST_P(ExchangeBadFile, IsRefusedWithItsLineAndFault) {
    auto read = GetParam().read(GetParam().bytes, "лошо");
    ASSERT_TRUE(std::holds_alternative<quiz::TableError>(read));
    const quiz::TableError& error = std::get<quiz::TableError>(read);
    EXPECT_EQ(error.line, GetParam().error.line);
    EXPECT_EQ(error.fault, GetParam().error.fault);
}

const std::string kMatching = "::В::Т {\n=а -> б\n=в -> г\n=д -> е\n}\n";
const std::string kXmlStart = "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"matching\">\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, ExchangeBadFile,
    testing::Values(
        BadQuestions{"gift_unclosed",
                     &exchange::ReadGift,
                     "// бележка\n::В::Т {\n=а -> б\n",
                     {2, "отговорите нямат затваряща скоба „}“"}},
        BadQuestions{"gift_unclosed_name",
                     &exchange::ReadGift,
                     "\n\n::В Т {=а -> б}\n",
                     {3, "името на въпроса няма затварящо „::“"}},
        BadQuestions{"gift_no_matching",
                     &exchange::ReadGift,
                     "::В::Т {T}\n\n::Г::Д {=а ~б}\n",
                     {0, "във файла няма въпроси за свързване, а пропуснати 2 въпроса, които не "
                         "са за свързване"}},
        BadQuestions{"gift_empty_answer",
                     &exchange::ReadGift,
                     kMatching + "\n::Г::Д {\n=ж -> з\n=и ->\n}\n",
                     {9, "втората колона е празна"}},
        BadQuestions{"gift_long_text",
                     &exchange::ReadGift,
                     "::В::Т {\n=а -> б\n=" + std::string(301, 'x') + " -> в\n}\n",
                     {3, "текстът в първата колона е по-дълъг от 300 знака"}},
        BadQuestions{"gift_binary",
                     &exchange::ReadGift,
                     std::string("::В::\x01Т {=а -> б}", 17),
                     {1, "знаци, които не са текст (двоичен файл?)"}},
        BadQuestions{"gift_too_large",
                     &exchange::ReadGift,
                     kMatching + std::string(exchange::kMaxQuestionFileBytes, ' '),
                     {0, "файлът е по-голям от 16 MiB"}},
        BadQuestions{"xml_broken",
                     &exchange::ReadMoodleXml,
                     kXmlStart + "<subquestion><text>а</text>\n</question>\n</quiz>\n",
                     {5, "файлът не е правилен XML: Start-end tags mismatch"}},
        BadQuestions{"xml_no_quiz",
                     &exchange::ReadMoodleXml,
                     "<?xml version=\"1.0\"?>\n<html><body>а</body></html>\n",
                     {0, "това не е файл с въпроси от Moodle: няма елемент <quiz>"}},
        BadQuestions{"xml_no_matching",
                     &exchange::ReadMoodleXml,
                     "<?xml version=\"1.0\"?>\n<quiz><question type=\"essay\"/></quiz>\n",
                     {0, "във файла няма въпроси за свързване, а пропуснат 1 въпрос, който не е "
                         "за свързване"}},
        BadQuestions{"xml_long_text",
                     &exchange::ReadMoodleXml,
                     kXmlStart + "<subquestion><text>а</text><answer><text>б</text></answer>" +
                         "</subquestion>\n<subquestion><text>в</text><answer><text>" +
                         std::string(301, 'x') + "</text></answer></subquestion>\n" +
                         "</question></quiz>",
                     {5, "текстът във втората колона е по-дълъг от 300 знака"}},
        BadQuestions{"xml_entity_of_its_own",
                     &exchange::ReadMoodleXml,
                     "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY a \"" +
                         std::string(100, 'x') + "\">]>\n<quiz><question type=\"matching\">" +
                         "<subquestion><text>&a;</text></subquestion></question></quiz>",
                     {3, "втората колона е празна"}},
        BadQuestions{"xml_too_many_tags",
                     &exchange::ReadMoodleXml,
                     kXmlStart + std::string(exchange::kMaxQuestionFileMarks, '<'),
                     {0, "файлът има повече от 262144 етикета"}}),
    [](const testing::TestParamInfo<BadQuestions>& info) { return info.param.name; });

} // namespace
