// SPDX-License-Identifier: MIT
#include "MoodleXml.h"

#include "MarkupText.h"

#include <algorithm>
#include <pugixml.hpp>
#include <sstream>

namespace exchange {
namespace {

// Moodle's importer reads a plain number here, in this form.
constexpr const char* kPenalty = "0.3333333";

void AddText(pugi::xml_node parent, const char* name, const std::string& text,
             const char* format = nullptr) {
    pugi::xml_node element = parent.append_child(name);
    if (format != nullptr) {
        element.append_attribute("format") = format;
    }
    element.append_child("text").text().set(text.c_str());
}

// An element's text, its character data and CDATA sections joined.
std::string TextOf(pugi::xml_node element) {
    std::string text;
    for (const pugi::xml_node part : element.children()) {
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata) {
            text += part.value();
        }
    }
    return text;
}

int LineAt(std::string_view bytes, std::ptrdiff_t offset) {
    const std::size_t end =
        std::min(bytes.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    return 1 + static_cast<int>(
                   std::count(bytes.begin(), bytes.begin() + static_cast<long>(end), '\n'));
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
}

} // namespace

Written WriteMoodleXml(const quiz::PairTable& table, const quiz::Collation& order) {
    const std::vector<MatchingQuestion> questions = QuestionsOf(table, order);
    if (questions.empty()) {
        return WriteFault{TooFewPairs()};
    }
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node quiz = document.append_child("quiz");
    pugi::xml_node category = quiz.append_child("question");
    category.append_attribute("type") = "category";
    AddText(category, "category", CategoryPath(table.title));
    for (const MatchingQuestion& question : questions) {
        pugi::xml_node element = quiz.append_child("question");
        element.append_attribute("type") = "matching";
        AddText(element, "name", question.name);
        AddText(element, "questiontext", question.text, "plain_text");
        AddText(element, "generalfeedback", "", "plain_text");
        element.append_child("defaultgrade").text().set("1");
        element.append_child("penalty").text().set(kPenalty);
        element.append_child("hidden").text().set("0");
        element.append_child("shuffleanswers").text().set("true");
        for (const quiz::Pair& pair : question.pairs) {
            pugi::xml_node subquestion = element.append_child("subquestion");
            subquestion.append_attribute("format") = "plain_text";
            subquestion.append_child("text").text().set(pair.left.c_str());
            AddText(subquestion, "answer", pair.right);
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

bool LooksLikeXml(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    const std::size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos &&
           (bytes.substr(start).starts_with("<?xml") || bytes.substr(start).starts_with("<quiz"));
}

std::variant<ImportedTable, quiz::TableError> ReadMoodleXml(std::string_view bytes,
                                                            std::string title) {
    auto decoded = QuestionFileText(bytes);
    if (auto* error = std::get_if<quiz::TableError>(&decoded)) {
        return *error;
    }
    const std::string& text = std::get<std::string>(decoded);
    if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '<')) >
        kMaxQuestionFileMarks) {
        return quiz::TableError{0, "файлът има повече от " + std::to_string(kMaxQuestionFileMarks) +
                                       " етикета"};
    }
    pugi::xml_document document;
    // The default options read no DOCTYPE and know only XML's own entities.
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        return quiz::TableError{LineAt(text, parsed.offset),
                                std::string("файлът не е правилен XML: ") + parsed.description()};
    }
    const pugi::xml_node quiz = document.child("quiz");
    if (!quiz) {
        return quiz::TableError{0, "това не е файл с въпроси от Moodle: няма елемент <quiz>"};
    }
    quiz::TableBuilder builder = QuestionTableBuilder(std::move(title));
    int skipped = 0;
    int pairs = 0;
    for (const pugi::xml_node question : quiz.children("question")) {
        const std::string_view type = question.attribute("type").value();
        if (type == "category") {
            continue;
        }
        if (type != "matching") {
            ++skipped;
            continue;
        }
        if (!builder.HasHeader()) {
            const std::string stem =
                ShownText(TextOf(question.child("questiontext").child("text")), true);
            if (auto fault = AddHeader(builder, ColumnsOfQuestionText(stem),
                                       LineAt(text, quiz.offset_debug()))) {
                return *fault;
            }
        }
        for (const pugi::xml_node subquestion : question.children("subquestion")) {
            const std::string_view format = subquestion.attribute("format").value();
            const bool html = format != "plain_text" && format != "markdown";
            std::string left = ShownText(TextOf(subquestion.child("text")), html);
            if (left.empty()) {
                continue;
            }
            std::string right = ShownText(TextOf(subquestion.child("answer").child("text")), false);
            if (auto fault = builder.Add({LineAt(text, subquestion.offset_debug()),
                                          {std::move(left), std::move(right)}})) {
                return *fault;
            }
            ++pairs;
        }
    }
    return Imported(std::move(builder), pairs, skipped);
}

} // namespace exchange
