// SPDX-License-Identifier: MIT
#include "MapRound.h"

#include "Regions.h"

#include <Quiz.h>
#include <SiteTable.h>
#include <algorithm>
#include <random>
#include <stdexcept>

namespace map {

std::vector<MapQuestion> BuiltInQuestions(const ProvinceMap& provinces) {
    std::vector<MapQuestion> questions;
    for (const quiz::SiteRow& row : quiz::kSiteTable) {
        const int province = ProvinceOfRegion(provinces, row.region, row.settlement);
        if (province < 0) {
            throw std::logic_error("no province for the region " + std::string(row.region));
        }
        questions.push_back({std::string(row.site), province, std::string(row.settlement)});
    }
    return questions;
}

std::vector<MapQuestion> Shuffled(std::vector<MapQuestion> questions, std::uint32_t seed) {
    std::mt19937 random(seed);
    // Fisher-Yates by hand: std::shuffle's order differs between standard libraries.
    for (std::size_t i = questions.size(); i > 1; --i) {
        std::uniform_int_distribution<std::size_t> pick(0, i - 1);
        std::swap(questions[i - 1], questions[pick(random)]);
    }
    return questions;
}

MapRound::MapRound(const ProvinceMap& provinces, std::vector<MapQuestion> questions, bool practice)
    : m_provinces(&provinces), m_questions(std::move(questions)), m_practice(practice) {
    for (const MapQuestion& question : m_questions) {
        if (question.province < 0 || question.province >= provinces.Count()) {
            throw std::invalid_argument("a question without a province: " + question.site);
        }
    }
}

const MapQuestion& MapRound::Current() const {
    if (Over()) {
        throw std::logic_error("the map round is over");
    }
    return m_questions[m_asked];
}

std::string MapRound::QuestionText() const {
    return Over() ? std::string() : "Къде е: " + Current().site + "?";
}

std::string MapRound::Answer(int province) {
    const MapQuestion& question = Current();
    if (province < 0 || province >= m_provinces->Count()) {
        throw std::invalid_argument("no such province: " + std::to_string(province));
    }
    const std::string where = question.site + " е в " + RegionText(*m_provinces, question.province);
    ++m_asked;
    if (province == question.province) {
        ++m_right;
        return "Вярно: " + where + ".";
    }
    m_missed.push_back(question);
    return "Грешно: " + where + ", а не в " + RegionText(*m_provinces, province) + ".";
}

std::string MapRound::ScoreText() const {
    return quiz::ScoreText(m_right, Answered(), Over(), m_practice);
}

std::vector<std::string> MapRound::MissedLines() const {
    std::vector<std::string> lines;
    for (const MapQuestion& question : m_missed) {
        lines.push_back(question.site + " – " + RegionText(*m_provinces, question.province) + ".");
    }
    return lines;
}

} // namespace map
