// SPDX-License-Identifier: MIT
#include "map/MapRoundFlow.h"

#include "app/ActionGuard.h"
#include "map/MapFlow.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "review/ReviewDialog.h"
#include "speech/VerdictNotification.h"

#include <QLabel>
#include <QRandomGenerator>

namespace window {

MapRoundFlow::MapRoundFlow(MapFlow& map, ActionGuard& guard)
    : QObject(&map), m_map(map), m_guard(guard) {}

ReviewDialog* MapRoundFlow::Review() const {
    return m_review;
}

void MapRoundFlow::StartRound() {
    StartRound(map::Shuffled(map::BuiltInQuestions(m_map.Provinces()),
                             QRandomGenerator::global()->generate()),
               false);
}

void MapRoundFlow::StartRound(std::vector<map::MapQuestion> questions, bool practice) {
    m_map.Open();
    MapWindow* window = m_map.Window();
    m_round.emplace(m_map.Provinces(), std::move(questions), practice);
    window->View()->Clear();
    window->Legend()->hide();
    window->Line()->clear();
    window->Question()->setText(QString::fromStdString(m_round->QuestionText()));
    window->Question()->show();
    ShowRoundScore();
    window->View()->setFocus(Qt::OtherFocusReason);
    m_map.Say(window->Question()->text());
}

void MapRoundFlow::Answer(int province) {
    MapWindow* window = m_map.Window();
    if (!m_round || m_round->Over()) {
        return;
    }
    const int right = m_round->Current().province;
    const std::string settlement = m_round->Current().settlement;
    const QString verdict = QString::fromStdString(m_round->Answer(province));
    MapView* view = window->View();
    view->Clear();
    if (province != right) {
        view->Fill(province, MapView::kWrong);
    }
    view->Fill(right, MapView::kRight);
    if (const auto at = m_map.Provinces().Pin(settlement)) {
        view->AddPin(*at, MapView::kRight);
    }
    window->Line()->setText(verdict);
    ShowRoundScore();
    const QString next = QString::fromStdString(m_round->QuestionText());
    window->Question()->setText(next);
    m_map.Say(next.isEmpty() ? verdict : verdict + QLatin1Char(' ') + next);
    if (!m_round->Over()) {
        return;
    }
    QStringList missed;
    for (const std::string& line : m_round->MissedLines()) {
        missed << QString::fromStdString(line);
    }
    m_review = new ReviewDialog(QString::fromStdString(m_round->ScoreText()), missed, window);
    m_review->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_review, &QDialog::finished, this, [this](int result) {
        m_guard.Run([this, result] {
            if (result == ReviewDialog::kPractise && m_round) {
                StartRound(map::Shuffled(m_round->Missed(), QRandomGenerator::global()->generate()),
                           true);
            } else if (result == ReviewDialog::kNewRound) {
                StartRound();
            } else {
                EndRound();
            }
        });
    });
    m_review->open();
    AnnounceOpening(m_review, m_review->Score()->text());
}

void MapRoundFlow::EndRound() {
    MapWindow* window = m_map.Window();
    m_round.reset();
    window->Question()->hide();
    window->Score()->hide();
}

void MapRoundFlow::ShowRoundScore() {
    MapWindow* window = m_map.Window();
    window->Score()->setText(QString::fromStdString(m_round->ScoreText()));
    window->Score()->setVisible(!window->Score()->text().isEmpty());
}

} // namespace window
