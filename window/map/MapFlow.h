// SPDX-License-Identifier: MIT
// The map beside the quiz: where each checked pair really is and where the review's lines are;
// the round played on it is MapRoundFlow's. The map's data is read when the map first opens.
#pragma once

#include <MapRound.h>
#include <ProvinceMap.h>
#include <QList>
#include <QObject>
#include <QPointer>
#include <Quiz.h>
#include <memory>
#include <optional>

class QAction;

namespace window {

class ActionGuard;
class MapRoundFlow;
class MapWindow;
class ReviewDialog;

class MapFlow final : public QObject {
    Q_OBJECT

public:
    // What the learner does on the map runs through the window's guard.
    MapFlow(QWidget* quizWindow, const quiz::Quiz& quiz, ActionGuard& guard);
    ~MapFlow() override;

    // "Карта" (F4) and "Кръг на картата", for the context menu.
    [[nodiscard]] QList<QAction*> Actions() const { return {m_open, m_startRound}; }
    // Null until the map first opens.
    [[nodiscard]] MapWindow* Window() const { return m_window; }
    // The round on the map, while there is one.
    [[nodiscard]] const map::MapRound* Round() const;
    // The review of the round on the map, while it is open.
    [[nodiscard]] ReviewDialog* Review() const;

    // Shows the map, beside the quiz the first time, and the last check on it.
    void Open();
    // A round on the map of every site of the built-in table, in a new order.
    void StartRound();
    // Shows the check just made, while the map is open and no round plays on it; returns the
    // same in words for the verdict's notification, or nothing.
    QString PairChecked();
    // A new table is in play.
    void TableChanged();
    // The main round's review: the line the learner is on shows on the map.
    void ReviewOpening(ReviewDialog* review);

    // The map's data, read the first time it is asked for.
    const map::ProvinceMap& Provinces();
    // Tells screen readers, from the map's window.
    void Say(const QString& text);

private:
    [[nodiscard]] bool Shown() const;
    QString ShowCheck(const quiz::CheckedPair& check);
    void ShowReviewRow(int row);

    QWidget* m_quizWindow;
    const quiz::Quiz& m_quiz;
    ActionGuard& m_guard;
    QAction* m_open;
    QAction* m_startRound;
    std::unique_ptr<map::ProvinceMap> m_provinces;
    MapWindow* m_window = nullptr;
    MapRoundFlow* m_rounds;
};

} // namespace window
