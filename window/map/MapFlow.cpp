// SPDX-License-Identifier: MIT
#include "MapFlow.h"

#include "ActionGuard.h"
#include "MapView.h"
#include "MapWindow.h"
#include "ReviewDialog.h"
#include "VerdictNotification.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <Regions.h>

namespace window {
namespace {

constexpr const char* kOpenCaption = "Карта";
constexpr const char* kRoundCaption = "Кръг на картата";
constexpr const char* kNoRegions = "Таблицата няма колона „област“";
constexpr const char* kBothIn = "Селището и обектът: %1.";
constexpr const char* kSettlementIn = "Селището: %1";
constexpr const char* kSiteIn = "Обектът: %1";
constexpr const char* kMapFile = ":/map/provinces.txt";

QString Region(const map::ProvinceMap& provinces, int province) {
    return QString::fromStdString(map::RegionText(provinces, province));
}

// A square of the colour, then the text, for the legend.
QString Swatch(const QColor& colour, const QString& text) {
    return QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
        .arg(colour.name(), text.toHtmlEscaped());
}

} // namespace

MapFlow::MapFlow(QWidget* quizWindow, const quiz::Quiz& quiz, ActionGuard& guard)
    : QObject(quizWindow), m_quizWindow(quizWindow), m_quiz(quiz), m_guard(guard),
      m_open(new QAction(QString::fromUtf8(kOpenCaption), this)),
      m_startRound(new QAction(QString::fromUtf8(kRoundCaption), this)) {
    m_open->setShortcut(Qt::Key_F4);
    m_open->setShortcutContext(Qt::WindowShortcut);
    // The shortcut works wherever the focus is in the window, with no menu open.
    quizWindow->addAction(m_open);
    connect(m_open, &QAction::triggered, this, m_guard.Guarded([this] { Open(); }));
    connect(m_startRound, &QAction::triggered, this, m_guard.Guarded([this] { StartRound(); }));
}

MapFlow::~MapFlow() = default;

ReviewDialog* MapFlow::Review() const {
    return m_review;
}

const map::ProvinceMap& MapFlow::Provinces() {
    if (!m_provinces) {
        QFile file(QString::fromUtf8(kMapFile));
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("the map is missing from the program");
        }
        const QByteArray text = file.readAll();
        m_provinces = std::make_unique<map::ProvinceMap>(
            map::ProvinceMap::Parse(std::string_view(text.constData(), text.size())));
    }
    return *m_provinces;
}

bool MapFlow::Shown() const {
    return m_window != nullptr && m_window->isVisible();
}

void MapFlow::Open() {
    if (m_window == nullptr) {
        m_window = new MapWindow(Provinces(), m_quizWindow);
        m_window->PlaceBeside(m_quizWindow);
        connect(m_window->View(), &MapView::provinceChosen, this,
                [this](int province) { m_guard.Run([this, province] { Answer(province); }); });
        connect(m_window->View(), &MapView::currentChanged, this, [this](int province) {
            m_guard.Run([this, province] { Say(Region(Provinces(), province)); });
        });
        connect(m_window->RoundButton(), &QPushButton::clicked, this,
                m_guard.Guarded([this] { StartRound(); }));
        if (!m_round) {
            TableChanged();
            if (m_quiz.Checks() > 0) {
                ShowCheck(m_quiz.LastCheck());
            }
        }
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    // The keys start on the round's button, or in a round on the map.
    if (m_round) {
        m_window->View()->setFocus(Qt::OtherFocusReason);
    } else {
        m_window->RoundButton()->setFocus(Qt::OtherFocusReason);
    }
}

QString MapFlow::PairChecked() {
    if (!Shown() || m_round) {
        return {};
    }
    return ShowCheck(m_quiz.LastCheck());
}

QString MapFlow::ShowCheck(const quiz::CheckedPair& check) {
    MapView* view = m_window->View();
    view->Clear();
    m_window->Legend()->hide();
    const quiz::PairTable& table = m_quiz.Table();
    if (!map::HasRegions(table)) {
        m_window->Line()->setText(QString::fromUtf8(kNoRegions));
        return {};
    }
    const map::ProvinceMap& provinces = Provinces();
    const map::CheckPlaces places = map::PlacesOf(provinces, table, check);
    const auto pin = [&](const std::string& settlement, const QColor& colour) {
        if (const auto at = provinces.Pin(settlement)) {
            view->AddPin(*at, colour);
        }
    };
    QString line;
    if (check.belong && places.left >= 0) {
        view->Fill(places.left, MapWindow::kPair);
        pin(check.left, MapWindow::kPair);
        line = QString::fromUtf8(kBothIn).arg(Region(provinces, places.left));
    } else if (!check.belong) {
        QStringList parts;
        QStringList legend;
        if (places.left >= 0) {
            view->Fill(places.left, MapWindow::kSettlement);
            pin(check.left, MapWindow::kSettlement);
            parts << QString::fromUtf8(kSettlementIn).arg(Region(provinces, places.left));
            legend << Swatch(MapWindow::kSettlement, parts.last());
        }
        if (places.right >= 0) {
            view->Fill(places.right, MapWindow::kSite);
            pin(places.rightSettlement, MapWindow::kSite);
            parts << QString::fromUtf8(kSiteIn).arg(Region(provinces, places.right));
            legend << Swatch(MapWindow::kSite, parts.last());
        }
        line = parts.isEmpty() ? QString() : parts.join(QStringLiteral(". ")) + QLatin1Char('.');
        m_window->Legend()->setText(legend.join(QStringLiteral("&nbsp;&nbsp;&nbsp;")));
        m_window->Legend()->setVisible(!legend.isEmpty());
    }
    m_window->Line()->setText(line);
    return line;
}

void MapFlow::TableChanged() {
    if (m_window == nullptr || m_round) {
        return;
    }
    m_window->View()->Clear();
    m_window->Legend()->hide();
    m_window->Line()->setText(map::HasRegions(m_quiz.Table()) ? QString()
                                                              : QString::fromUtf8(kNoRegions));
}

void MapFlow::ReviewOpening(ReviewDialog* review) {
    if (QListWidget* missed = review->Missed()) {
        connect(missed, &QListWidget::currentRowChanged, this,
                [this](int row) { m_guard.Run([this, row] { ShowReviewRow(row); }); });
    }
}

void MapFlow::ShowReviewRow(int row) {
    const std::vector<std::size_t> rows = m_quiz.MissedRows();
    if (!Shown() || m_round || row < 0 || static_cast<std::size_t>(row) >= rows.size()) {
        return;
    }
    const quiz::Pair& pair = m_quiz.Table().pairs[rows[static_cast<std::size_t>(row)]];
    ShowCheck({pair.left, pair.right, true});
}

void MapFlow::StartRound() {
    StartRound(
        map::Shuffled(map::BuiltInQuestions(Provinces()), QRandomGenerator::global()->generate()),
        false);
}

void MapFlow::StartRound(std::vector<map::MapQuestion> questions, bool practice) {
    Open();
    m_round.emplace(Provinces(), std::move(questions), practice);
    m_window->View()->Clear();
    m_window->Legend()->hide();
    m_window->Line()->clear();
    m_window->Question()->setText(QString::fromStdString(m_round->QuestionText()));
    m_window->Question()->show();
    ShowRoundScore();
    m_window->View()->setFocus(Qt::OtherFocusReason);
    Say(m_window->Question()->text());
}

void MapFlow::Answer(int province) {
    if (!m_round || m_round->Over()) {
        return;
    }
    const int right = m_round->Current().province;
    const std::string settlement = m_round->Current().settlement;
    const QString verdict = QString::fromStdString(m_round->Answer(province));
    MapView* view = m_window->View();
    view->Clear();
    if (province != right) {
        view->Fill(province, MapView::kWrong);
    }
    view->Fill(right, MapView::kRight);
    if (const auto at = Provinces().Pin(settlement)) {
        view->AddPin(*at, MapView::kRight);
    }
    m_window->Line()->setText(verdict);
    ShowRoundScore();
    const QString next = QString::fromStdString(m_round->QuestionText());
    m_window->Question()->setText(next);
    Say(next.isEmpty() ? verdict : verdict + QLatin1Char(' ') + next);
    if (!m_round->Over()) {
        return;
    }
    QStringList missed;
    for (const std::string& line : m_round->MissedLines()) {
        missed << QString::fromStdString(line);
    }
    m_review = new ReviewDialog(QString::fromStdString(m_round->ScoreText()), missed, m_window);
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

void MapFlow::EndRound() {
    m_round.reset();
    m_window->Question()->hide();
    m_window->Score()->hide();
}

void MapFlow::ShowRoundScore() {
    m_window->Score()->setText(QString::fromStdString(m_round->ScoreText()));
    m_window->Score()->setVisible(!m_window->Score()->text().isEmpty());
}

void MapFlow::Say(const QString& text) {
    m_window->Notification()->Announce(text);
}

} // namespace window
