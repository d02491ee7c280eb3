// SPDX-License-Identifier: MIT
#include "map/MapFlow.h"

#include "app/ActionGuard.h"
#include "map/MapRoundFlow.h"
#include "map/MapView.h"
#include "map/MapWindow.h"
#include "review/ReviewDialog.h"
#include "speech/VerdictNotification.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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
      m_startRound(new QAction(QString::fromUtf8(kRoundCaption), this)),
      m_rounds(new MapRoundFlow(*this, guard)) {
    m_open->setShortcut(Qt::Key_F4);
    m_open->setShortcutContext(Qt::WindowShortcut);
    // The shortcut works wherever the focus is in the window, with no menu open.
    quizWindow->addAction(m_open);
    connect(m_open, &QAction::triggered, this, m_guard.Guarded([this] { Open(); }));
    connect(m_startRound, &QAction::triggered, this, m_guard.Guarded([this] { StartRound(); }));
}

MapFlow::~MapFlow() = default;

const map::MapRound* MapFlow::Round() const {
    return m_rounds->Round();
}

ReviewDialog* MapFlow::Review() const {
    return m_rounds->Review();
}

void MapFlow::StartRound() {
    m_rounds->StartRound();
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
        connect(m_window->View(), &MapView::provinceChosen, this, [this](int province) {
            m_guard.Run([this, province] { m_rounds->Answer(province); });
        });
        connect(m_window->RoundButton(), &QPushButton::clicked, this,
                m_guard.Guarded([this] { StartRound(); }));
        if (Round() == nullptr) {
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
    if (Round() != nullptr) {
        m_window->View()->setFocus(Qt::OtherFocusReason);
    } else {
        m_window->RoundButton()->setFocus(Qt::OtherFocusReason);
    }
}

QString MapFlow::PairChecked() {
    if (!Shown() || Round() != nullptr) {
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
    if (m_window == nullptr || Round() != nullptr) {
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
    if (!Shown() || Round() != nullptr || row < 0 || static_cast<std::size_t>(row) >= rows.size()) {
        return;
    }
    const quiz::Pair& pair = m_quiz.Table().pairs[rows[static_cast<std::size_t>(row)]];
    ShowCheck({pair.left, pair.right, true});
}

void MapFlow::Say(const QString& text) {
    m_window->Notification()->Announce(text);
}

} // namespace window
