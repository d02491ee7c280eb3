// SPDX-License-Identifier: MIT
// A round played on the map, "Къде е?": each site of a table once, answered with a province.
#pragma once

#include "ProvinceMap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace map {

struct MapQuestion {
    std::string site;
    int province = -1;
    // The settlement of the site's row, for its pin.
    std::string settlement;
    bool operator==(const MapQuestion&) const = default;
};

// The sites of the built-in table with their provinces, in the table's order.
[[nodiscard]] std::vector<MapQuestion> BuiltInQuestions(const ProvinceMap& provinces);
// The questions in a random order drawn from the seed.
[[nodiscard]] std::vector<MapQuestion> Shuffled(std::vector<MapQuestion> questions,
                                                std::uint32_t seed);

class MapRound {
public:
    // Asks the questions in the order given; a practice round asks what another round missed.
    MapRound(const ProvinceMap& provinces, std::vector<MapQuestion> questions, bool practice);

    [[nodiscard]] bool Over() const { return m_asked == m_questions.size(); }
    [[nodiscard]] bool Practice() const { return m_practice; }
    // The question being asked; only while the round is not over.
    [[nodiscard]] const MapQuestion& Current() const;
    // "Къде е: Античен град "Кабиле"?"; empty once the round is over.
    [[nodiscard]] std::string QuestionText() const;
    // Answers the current question with a province and moves on; returns the verdict:
    // "Вярно: Античен град "Кабиле" е в област Ямбол." or "Грешно: Античен град "Кабиле" е в
    // област Ямбол, а не в област Сливен."
    std::string Answer(int province);
    [[nodiscard]] int Right() const { return m_right; }
    [[nodiscard]] int Answered() const { return static_cast<int>(m_asked); }
    [[nodiscard]] int Total() const { return static_cast<int>(m_questions.size()); }
    // As the main window's: "Верни: 3 от 5", "Край: 55 от 60".
    [[nodiscard]] std::string ScoreText() const;
    // The questions answered wrong, in the order asked.
    [[nodiscard]] const std::vector<MapQuestion>& Missed() const { return m_missed; }
    // The review's lines: "Античен град "Кабиле" – област Ямбол."
    [[nodiscard]] std::vector<std::string> MissedLines() const;

private:
    const ProvinceMap* m_provinces;
    std::vector<MapQuestion> m_questions;
    std::vector<MapQuestion> m_missed;
    std::size_t m_asked = 0;
    int m_right = 0;
    bool m_practice;
};

} // namespace map
