// SPDX-License-Identifier: MIT
#include "Trevika.h"

#include "ContextMenu.h"
#include "ErrorReport.h"
#include "PickListModel.h"
#include "PickListView.h"
#include "ReviewDialog.h"
#include "VerdictNotification.h"
#include "WindowDefinition.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <exception>

namespace window {
namespace {

// The one local file that a drag brings, if it brings just that.
QString DroppedFile(const QMimeData* data) {
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

// A column name as a list's heading: "селище" heads its list as "Селище".
QString Heading(const std::string& column) {
    QString heading = QString::fromStdString(column);
    if (!heading.isEmpty()) {
        heading[0] = heading[0].toUpper();
    }
    return heading;
}

QColor ToColour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// A fixed background comes with its text colour: the platform's would follow a dark theme and
// be light on a light background.
void SetColours(QWidget* widget, Rgb background) {
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, ToColour(background));
        palette.setColor(group, QPalette::WindowText, ToColour(kTextColour));
    }
    widget->setPalette(palette);
}

} // namespace

Trevika::Trevika(QWidget* parent) : QWidget(parent), m_quiz(kTaskText) {
    setObjectName(QStringLiteral("Trevika"));
    setWindowTitle(
        QStringLiteral("%1 %2").arg(QLatin1String(kPublisherAddress), QString::fromUtf8(kCaption)));
    setFixedSize(ToPixels(kClient).size());
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        icon.addFile(QString::fromLatin1(kIconFile).arg(size), QSize(size, size));
    }
    setWindowIcon(icon);
    setFont(DefinedFont());

    CreateControls();
    m_tables = new TableMenu(this, m_quiz, [this](auto table) { UseTable(std::move(table)); });
    m_menu = new ContextMenu(this);
    m_menu->AddActions(m_tables->Actions());
    setAcceptDrops(true);
    m_quiz.SetTextObserver([this] { ShowText(); });
    m_quiz.SetScoreObserver([this] { ShowScore(); });
    m_quiz.SetPairCheckedObserver([this] { PairChecked(); });
    ShowText();
    Load();
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
        label->setGeometry(ToPixels(kLabel1[member]));
        label->setAutoFillBackground(true);
        SetColours(label, kLabelColour);
        m_label1[member] = label;
    }

    m_text1[0] = new QPlainTextEdit(this);
    QPlainTextEdit* text = m_text1[0];
    text->setObjectName(QStringLiteral("Text1_0"));
    text->setGeometry(ToPixels(kText1[0]));
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only, yet the text can still be reached, selected and copied by keyboard.
    text->setReadOnly(true);
    // A file dropped on it is for the window to open.
    text->setAcceptDrops(false);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setTabChangesFocus(true);
    text->setFocusPolicy(Qt::StrongFocus);
    text->setAccessibleName(QString::fromUtf8(kText1AccessibleName));

    std::array<quiz::PickList*, 2> pickLists{&m_quiz.Settlements(), &m_quiz.Sites()};
    for (std::size_t member = 0; member < m_list1.size(); ++member) {
        m_models[member] = std::make_unique<PickListModel>(*pickLists[member]);
        PickListModel* model = m_models[member].get();
        auto* list = new PickListView(this);
        list->setObjectName(QStringLiteral("List1_%1").arg(member));
        list->setGeometry(ToPixels(kList1[member]));
        list->setModel(model);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // The heading names the list for a screen reader; a buddy label alone does not.
        list->setAccessibleName(QString::fromUtf8(kLabel1Captions[member + 1]));
        list->setAccessibleDescription(QString::fromUtf8(kListAccessibleDescription));
        m_label1[member + 1]->setBuddy(list);
        const int memberIndex = static_cast<int>(member);
        // Any change of selection counts, by mouse, keyboard or an assistive technology.
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, memberIndex] { List1Click(memberIndex); });
        connect(model, &PickListModel::listIndexChanged, this,
                [this, memberIndex](int index) { ShowListIndex(memberIndex, index); });
        // A view keeps its scroll position through a reset; refilled, a list starts at the top.
        connect(model, &QAbstractItemModel::modelReset, list, &QAbstractItemView::scrollToTop);
        m_list1[member] = list;
    }

    m_command1[0] = new QPushButton(QString::fromUtf8(kCommand1Captions[0]), this);
    QPushButton* button = m_command1[0];
    button->setObjectName(QStringLiteral("Command1_0"));
    button->setGeometry(ToPixels(kCommand1[0]));
    // A palette alone is ignored by several platform styles; a style sheet is drawn by all.
    const QColor face = ToColour(kButtonColour);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %3; border: 1px solid %2; }"
                       "QPushButton:focus { border: 2px solid palette(highlight); }"
                       "QPushButton:pressed { background-color: %2; }")
            .arg(face.name(), face.darker(150).name(), ToColour(kTextColour).name()));
    connect(button, &QPushButton::clicked, this, [this] { Command1Click(0); });

    m_score = new QLabel(this);
    m_score->setObjectName(QStringLiteral("Score"));
    m_score->setGeometry(ToPixels(kScore));
    m_score->setAlignment(Qt::AlignCenter);
    // Drawn on the window's own background, which it does not fill.
    SetColours(m_score, kWindowColour);
    m_notification = new VerdictNotification(this);

    setTabOrder(text, m_list1[0]);
    setTabOrder(m_list1[0], m_list1[1]);
    setTabOrder(m_list1[1], button);
    text->setFocus(Qt::OtherFocusReason);
}

void Trevika::Run(const std::function<void()>& action) {
    if (m_failed) {
        return;
    }
    const bool wasRunning = m_running;
    m_running = true;
    try {
        action();
        m_running = wasRunning;
    } catch (const std::exception& error) {
        m_running = wasRunning;
        m_failed = true;
        ReportFatalError(this, QString::fromUtf8(error.what()));
    }
}

void Trevika::Load() {
    Run([this] { m_quiz.FillLists(); });
}

void Trevika::List1Click(int member) {
    if (m_running) {
        return;
    }
    const QModelIndexList selected = m_list1.at(member)->selectionModel()->selectedRows();
    const int index = selected.isEmpty() ? -1 : selected.first().row();
    quiz::PickList& list = member == 0 ? m_quiz.Settlements() : m_quiz.Sites();
    Run([this, &list, index] {
        list.SetListIndex(index);
        m_quiz.ListClick();
    });
}

void Trevika::Command1Click(int member) {
    if (member != 0) {
        return;
    }
    Run([this] { m_quiz.ClearClick(); });
}

void Trevika::ShowListIndex(int member, int index) {
    QItemSelectionModel* selection = m_list1.at(member)->selectionModel();
    if (index < 0) {
        selection->clearSelection();
    } else {
        selection->select(m_models.at(member)->index(index), QItemSelectionModel::ClearAndSelect);
    }
}

void Trevika::ShowText() {
    // The engine breaks lines with CR LF; a plain text document wants bare line feeds.
    QString text = QString::fromStdString(m_quiz.Text());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_text1[0]->setPlainText(text);
}

void Trevika::ShowScore() {
    const QString score = QString::fromStdString(m_quiz.ScoreText());
    m_score->setText(score);
    const QString name = QString::fromUtf8(kScoreAccessibleName);
    m_score->setAccessibleName(score.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, score));
}

void Trevika::ShowHeadings() {
    const quiz::PairTable& table = m_quiz.Table();
    for (std::size_t member = 0; member < m_label1.size(); ++member) {
        QString heading = QString::fromUtf8(kLabel1Captions[member]);
        if (!m_quiz.BuiltIn()) {
            heading = member == 0 ? QString::fromStdString(table.title)
                                  : Heading(table.columns.at(member - 1));
        }
        m_label1[member]->setText(heading);
        if (member > 0) {
            m_list1[member - 1]->setAccessibleName(heading);
        }
    }
}

void Trevika::UseTable(std::shared_ptr<const quiz::PairTable> table) {
    // The review is of the round that a new table ends; its answer must not reach the next.
    if (m_review != nullptr) {
        m_review->reject();
    }
    Run([this, &table] {
        if (table) {
            m_quiz.UseTable(std::move(table));
        } else {
            m_quiz.UseTable(quiz::BuiltInTable(), kTaskText);
        }
    });
    ShowHeadings();
}

void Trevika::PairChecked() {
    m_notification->Announce(QString::fromStdString(m_quiz.Text()));
    if (m_quiz.RoundOver()) {
        ReviewRound();
    }
}

void Trevika::ReviewRound() {
    QStringList missed;
    for (const std::string& line : m_quiz.MissedLines()) {
        missed << QString::fromStdString(line);
    }
    m_review = new ReviewDialog(QString::fromStdString(m_quiz.ScoreText()), missed, this);
    m_review->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_review, &QDialog::finished, this, &Trevika::ReviewAnswered);
    m_review->open();
}

void Trevika::ReviewAnswered(int result) {
    if (result == ReviewDialog::kPractise) {
        Run([this] { m_quiz.PracticeMissed(); });
        m_list1[0]->setFocus(Qt::OtherFocusReason);
    } else if (result == ReviewDialog::kNewRound) {
        Command1Click(0);
    }
}

void Trevika::contextMenuEvent(QContextMenuEvent* event) {
    m_menu->Exec(event->globalPos());
}

void Trevika::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Trevika::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        OpenTable(path);
    }
}

void Trevika::paintEvent(QPaintEvent* /*event*/) {
    // Painted rather than set in the palette, which every child would inherit: the lists
    // and the message box keep the platform's colours.
    QPainter(this).fillRect(rect(), ToColour(kWindowColour));
}

} // namespace window
