// SPDX-License-Identifier: MIT
// "Карта на България": the map in a window of its own beside the quiz, with a line of words
// under it, a legend, and for a round on the map its question and score.
#pragma once

#include <ProvinceMap.h>
#include <QWidget>

class QLabel;
class QPushButton;

namespace window {

class MapView;
class VerdictNotification;

class MapWindow final : public QWidget {
    Q_OBJECT

public:
    // A window of its own, owned by the quiz window.
    MapWindow(const map::ProvinceMap& provinces, QWidget* quizWindow);

    [[nodiscard]] MapView* View() const { return m_view; }
    // The round's question and score, hidden without a round.
    [[nodiscard]] QLabel* Question() const { return m_question; }
    [[nodiscard]] QLabel* Score() const { return m_score; }
    // Under the map: what it shows, in words.
    [[nodiscard]] QLabel* Line() const { return m_line; }
    // The two colours of a wrong pair, named; hidden otherwise.
    [[nodiscard]] QLabel* Legend() const { return m_legend; }
    [[nodiscard]] QPushButton* RoundButton() const { return m_roundButton; }
    [[nodiscard]] VerdictNotification* Notification() const { return m_notification; }

    // Beside the quiz window where the screen has room for it, never over it then.
    void PlaceBeside(const QWidget* quizWindow);

    // Colours: a right pair's province (the map's right answer's); where a wrong pair's
    // settlement and site really are (the site's, the map's wrong answer's).
    static const QColor& kPair;
    static const QColor kSettlement;
    static const QColor& kSite;

private:
    MapView* m_view;
    QLabel* m_question;
    QLabel* m_score;
    QLabel* m_line;
    QLabel* m_legend;
    QPushButton* m_roundButton;
    VerdictNotification* m_notification;
};

} // namespace window
