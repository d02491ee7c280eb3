// SPDX-License-Identifier: MIT
// The round played on the map, "Къде е?": its questions, answers, score and review.
#pragma once

#include <MapRound.h>
#include <QObject>
#include <QPointer>
#include <optional>
#include <vector>

namespace window {

class ActionGuard;
class MapFlow;
class ReviewDialog;

// A round of every site of the built-in table, answered by choosing provinces on the map
// that MapFlow shows, with its own review at the end, from which the learner practises the
// missed sites or starts again. While it plays, the map shows only the round.
class MapRoundFlow final : public QObject {
    Q_OBJECT

public:
    MapRoundFlow(MapFlow& map, ActionGuard& guard);

    // The round, while there is one.
    [[nodiscard]] const map::MapRound* Round() const { return m_round ? &*m_round : nullptr; }
    // Its review, while it is open.
    [[nodiscard]] ReviewDialog* Review() const;

    // A new round, in a new order.
    void StartRound();
    // The province chosen for the question asked.
    void Answer(int province);

private:
    void StartRound(std::vector<map::MapQuestion> questions, bool practice);
    void EndRound();
    void ShowRoundScore();

    MapFlow& m_map;
    ActionGuard& m_guard;
    std::optional<map::MapRound> m_round;
    QPointer<ReviewDialog> m_review;
};

} // namespace window
