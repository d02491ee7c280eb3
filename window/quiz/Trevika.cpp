// SPDX-License-Identifier: MIT
#include "Trevika.h"

#include "ContextMenu.h"
#include "FittingLabel.h"
#include "MapFlow.h"
#include "MessageView.h"
#include "PickListModel.h"
#include "PickListView.h"
#include "RoundEnd.h"
#include "TableMenu.h"
#include "VerdictNotification.h"
#include "VerdictText.h"
#include "WindowColours.h"
#include "WindowLayout.h"
#include "WindowZoom.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

namespace window {

Trevika::Trevika(QWidget* parent) : QWidget(parent), m_quiz(kTaskText), m_guard(this) {
    setObjectName(QStringLiteral("Trevika"));
    setWindowTitle(
        QStringLiteral("%1 %2").arg(QLatin1String(kPublisherAddress), QString::fromUtf8(kCaption)));
    // The defined size, which it may grow from but not shrink below.
    setMinimumSize(ToPixels(kClient).size());
    resize(ToPixels(kClient).size());
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        icon.addFile(QString::fromLatin1(kIconFile).arg(size), QSize(size, size));
    }
    setWindowIcon(icon);
    setFont(DefinedFont());
    CreateControls();
    ConnectFlows();
    Run([this] {
        m_quiz.FillLists();
        ShowTable();
    });
}

// Where PickListModel is known, for the members that own the models.
Trevika::~Trevika() = default;

QFont Trevika::DefinedFont() {
    return QFont(
        QStringList{QString::fromLatin1(kFontFamily), QString::fromLatin1(kFallbackFontFamily)},
        kFontPointSize, QFont::Normal);
}

void Trevika::CreateControls() {
    for (std::size_t member = 0; member < m_label1.size(); ++member) {
        auto* label = new QLabel(QString::fromUtf8(kLabel1Captions[member]), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(member));
        label->setAutoFillBackground(true);
        SetColours(label, kLabelColour);
        m_label1[member] = label;
    }

    QPlainTextEdit* text = m_text1[0] = new MessageView(this);
    text->setObjectName(QStringLiteral("Text1_0"));

    std::array<quiz::PickList*, 2> pickLists{&m_quiz.Settlements(), &m_quiz.Sites()};
    for (std::size_t member = 0; member < m_list1.size(); ++member) {
        m_models[member] = std::make_unique<PickListModel>(*pickLists[member]);
        auto* list = new PickListView(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(member));
        list->setModel(m_models[member].get());
        m_label1[member + 1]->setBuddy(list);
        m_list1[member] = list;
    }

    QPushButton* button = m_command1[0] =
        new QPushButton(QString::fromUtf8(kCommand1Captions[0]), this);
    button->setObjectName(QStringLiteral("Command1_0"));
    button->setStyleSheet(ButtonStyleSheet());

    m_score = new FittingLabel(this);
    m_score->setObjectName(QStringLiteral("Score"));
    m_score->setAlignment(Qt::AlignCenter);
    // Drawn on the window's own background, which it does not fill.
    SetColours(m_score, kWindowColour);
    m_notification = new VerdictNotification(this);

    setTabOrder(text, m_list1[0]);
    setTabOrder(m_list1[0], m_list1[1]);
    setTabOrder(m_list1[1], button);
    text->setFocus(Qt::OtherFocusReason);
}

void Trevika::ConnectFlows() {
    for (int member = 0; member < 2; ++member) {
        auto* list = static_cast<PickListView*>(m_list1.at(member));
        quiz::PickList& pickList = member == 0 ? m_quiz.Settlements() : m_quiz.Sites();
        connect(list, &PickListView::picked, this, [this, &pickList](int index) {
            // The engine's own changes of selection reach the view too; they are no picks.
            if (!m_guard.Running()) {
                Run([this, &pickList, index] {
                    pickList.SetListIndex(index);
                    m_quiz.ListClick();
                });
            }
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
    m_menu->AddActions(m_tables->Actions());
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

void Trevika::LayOut() {
    const QSize client = size();
    const qreal scale = m_zoom->Scale();
    for (std::size_t member = 0; member < m_label1.size(); ++member) {
        m_label1[member]->setGeometry(Place(kLabel1[member], client, scale));
    }
    for (std::size_t member = 0; member < m_list1.size(); ++member) {
        m_list1[member]->setGeometry(Place(kList1[member], client, scale));
    }
    m_text1[0]->setGeometry(Place(kText1[0], client, scale));
    m_command1[0]->setGeometry(Place(kCommand1[0], client, scale));
    m_score->setGeometry(Place(kScore, client, scale));
    m_menu->Button()->setGeometry(Place(kMenuButton, client, scale));
}

void Trevika::SetScale(qreal scale) {
    QFont scaled = DefinedFont();
    scaled.setPointSizeF(kFontPointSize * scale);
    setFont(scaled);
    // A control with a style sheet keeps the font it had when the sheet was set.
    m_command1[0]->setFont(scaled);
    // As large as the scale asks, as far as the screen has room, never below the defined size.
    QSize least = LeastClientSize(scale);
    if (const QScreen* shown = screen()) {
        const QSize frame = frameGeometry().size() - geometry().size();
        least = least.boundedTo(shown->availableGeometry().size() - frame);
    }
    least = least.expandedTo(ToPixels(kClient).size());
    setMinimumSize(least);
    resize(size().expandedTo(least));
    LayOut();
}

void Trevika::resizeEvent(QResizeEvent* /*event*/) {
    LayOut();
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

void Trevika::paintEvent(QPaintEvent* /*event*/) {
    // Painted rather than set in the palette, which every child would inherit: the lists
    // and the message box keep the platform's colours.
    QPainter(this).fillRect(rect(), ToColour(kWindowColour));
}

} // namespace window
