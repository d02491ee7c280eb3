// SPDX-License-Identifier: MIT
#include "quiz/Trevika.h"

#include "class/ClassFlow.h"
#include "exchange/ExportMenu.h"
#include "map/MapFlow.h"
#include "printing/PaperMenu.h"
#include "quiz/ContextMenu.h"
#include "quiz/FittingLabel.h"
#include "quiz/PickListModel.h"
#include "quiz/PickListView.h"
#include "quiz/WindowLayout.h"
#include "quiz/WindowZoom.h"
#include "review/RoundEnd.h"
#include "speech/VerdictNotification.h"
#include "speech/VerdictText.h"
#include "tables/Headings.h"
#include "tables/TableMenu.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace window {

namespace {

// The window's icon in its sizes, read as PNG outright: a reader left to find the format loads
// every image plugin to ask it, and keeps them loaded, for a few kilobytes of pixels.
QIcon WindowIcon() {
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        QImageReader reader(QString::fromLatin1(kIconFile).arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

Trevika::Trevika(QWidget* parent) : QWidget(parent), m_quiz(kTaskText), m_guard(this) {
    setObjectName(QStringLiteral("Trevika"));
    setWindowTitle(
        QStringLiteral("%1 %2").arg(QLatin1String(kPublisherAddress), QString::fromUtf8(kCaption)));
    // The defined size, which it may grow from but not shrink below.
    setMinimumSize(ToPixels(kClient).size());
    resize(ToPixels(kClient).size());
    setWindowIcon(WindowIcon());
    setFont(DefinedFont());
    CreateControls();
    ConnectFlows();
    Run([this] {
        m_quiz.FillLists();
        ShowTable();
    });
}

Trevika::~Trevika() {
    // The flows read the engine and are Qt children, which Qt would delete only after every
    // member, the engine included: they go first, and with them every connection through which
    // a slot of theirs could reach the engine (the progress flow writes what still waits).
    // Then the models, which observe the engine's lists (members, declared last), then the
    // engine, then the controls.
    delete m_paper;
    delete m_class;
    delete m_progress;
    delete m_map;
    delete m_roundEnd;
    delete m_tables;
    m_paper = nullptr;
    m_class = nullptr;
    m_progress = nullptr;
    m_map = nullptr;
    m_roundEnd = nullptr;
    m_tables = nullptr;
}

void Trevika::ConnectFlows() {
    for (int member = 0; member < 2; ++member) {
        auto* list = static_cast<PickListView*>(m_list1.at(member));
        quiz::PickList& pickList = member == 0 ? m_quiz.Settlements() : m_quiz.Sites();
        connect(list, &PickListView::picked, this, [this, &pickList](int index) {
            Run([this, &pickList, index] {
                pickList.SetListIndex(index);
                m_quiz.ListClick();
            });
        });
        connect(m_models.at(member).get(), &PickListModel::listIndexChanged, list,
                &PickListView::ShowListIndex);
    }
    connect(m_command1[0], &QPushButton::clicked, this,
            [this] { Run([this] { m_quiz.ClearClick(); }); });
    m_quiz.SetTextObserver([this] { m_text1[0]->setPlainText(ShownText(m_quiz.Text())); });
    m_quiz.SetScoreObserver([this] { ShowScore(); });
    m_quiz.SetPairCheckedObserver([this] { PairChecked(); });
    m_text1[0]->setPlainText(ShownText(m_quiz.Text()));

    m_tables = new TableMenu(this, m_quiz, m_guard);
    connect(m_tables, &TableMenu::tableChosen, this, &Trevika::UseTable);
    connect(m_tables, &TableMenu::builtInChosen, this, [this] { UseTable(nullptr); });
    m_roundEnd = new RoundEnd(this, m_quiz);
    connect(this, &Trevika::pairChecked, m_roundEnd, &RoundEnd::PairChecked);
    connect(m_roundEnd, &RoundEnd::practiceAsked, this, [this] {
        Run([this] {
            m_quiz.PracticeMissed();
            m_list1[0]->setFocus(Qt::OtherFocusReason);
        });
    });
    connect(m_roundEnd, &RoundEnd::newRoundAsked, this,
            [this] { Run([this] { m_quiz.ClearClick(); }); });
    m_menu = new ContextMenu(this);
    m_export = new ExportMenu(this, m_quiz, m_guard);
    m_paper = new PaperMenu(this, m_quiz, m_guard,
                            [this]() -> const map::ProvinceMap& { return m_map->Provinces(); });
    m_menu->AddActions(m_tables->Actions() << m_export->Action() << m_paper->Actions());
    m_zoom = new WindowZoom(this);
    m_menu->AddActions(m_zoom->Actions());
    m_map = new MapFlow(this, m_quiz, m_guard);
    m_menu->AddActions(m_map->Actions());
    connect(m_roundEnd, &RoundEnd::reviewOpening, m_map, &MapFlow::ReviewOpening);
    m_menu->ExtendMenuOf(m_text1[0]);
    setTabOrder(m_command1[0], m_menu->Button());
    connect(m_zoom, &WindowZoom::scaleChanged, this, &Trevika::SetScale);
    LayOut();
}

QToolButton* Trevika::MenuButton() const {
    return m_menu->Button();
}

ReviewDialog* Trevika::Review() const {
    return m_roundEnd->Dialog();
}

bool Trevika::OpenTable(const QString& path) {
    return m_tables->Open(path);
}

void Trevika::ShowScore() {
    const QString score = QString::fromStdString(m_quiz.ScoreText());
    m_score->setText(score);
    const QString name = QString::fromUtf8(kScoreAccessibleName);
    m_score->setAccessibleName(score.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, score));
}

void Trevika::ShowTable() {
    const QStringList headings = Headings(m_quiz);
    for (int member = 0; member < 3; ++member) {
        m_label1.at(member)->setText(headings.at(member));
        if (member > 0) {
            QListView* list = m_list1.at(member - 1);
            list->setAccessibleName(headings.at(member));
            // The built-in table's lists look as defined, without a scroll bar below: a name a
            // little wider than its list is clipped, and read whole in its tooltip.
            list->setHorizontalScrollBarPolicy(m_quiz.BuiltIn() ? Qt::ScrollBarAlwaysOff
                                                                : Qt::ScrollBarAsNeeded);
        }
    }
}

void Trevika::UseTable(std::shared_ptr<const quiz::PairTable> table) {
    Run([this, &table] {
        m_roundEnd->Dismiss();
        if (table) {
            m_quiz.UseTable(std::move(table));
        } else {
            m_quiz.UseTable(quiz::BuiltInTable(), kTaskText);
        }
        ShowTable();
        m_map->TableChanged();
    });
}

void Trevika::PairChecked() {
    // Where the pair is, in words, follows its verdict, while the map shows it.
    QString spoken = SpokenText(m_quiz.Text());
    if (const QString where = m_map->PairChecked(); !where.isEmpty()) {
        spoken += QLatin1Char(' ') + where;
    }
    m_notification->Announce(spoken);
    // Before the round's end hears of it: a round's ratings go into its review.
    if (m_progress != nullptr) {
        m_progress->PairChecked();
    }
    emit pairChecked();
}

void Trevika::UseProgress(const QString& file, Progress::Clock clock) {
    m_progress = new Progress(this, m_quiz, m_guard, file, std::move(clock));
    m_paper->UseProgress(m_progress);
    // The class's entries before the learner's own: "Напредък…" stays the menu's last.
    m_class = new ClassFlow(this, *m_progress, m_guard);
    m_menu->AddActions(m_class->Actions());
    m_menu->AddActions(m_progress->Actions());
    connect(m_menu, &ContextMenu::opening, m_progress, &Progress::UpdateActions);
    connect(m_roundEnd, &RoundEnd::reviewOpening, m_progress, &Progress::ShowInReview);
    connect(m_roundEnd, &RoundEnd::dueReviewAsked, m_progress, &Progress::StartDueReview);
    connect(m_progress, &Progress::dueReviewAsked, this,
            [this](const std::vector<std::size_t>& rows) {
                Run([this, &rows] {
                    m_quiz.PracticeRows(rows);
                    m_list1[0]->setFocus(Qt::OtherFocusReason);
                });
            });
}

void Trevika::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->Exec(event->globalPos());
}

} // namespace window
