// SPDX-License-Identifier: MIT
#include "review/ReviewDialog.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace window {
namespace {

constexpr const char* kTitle = "Край на кръга";
constexpr const char* kMissedHeading = "Верните двойки:";
constexpr const char* kAllRight = "Всички двойки са верни.";
constexpr const char* kPractiseCaption = "Упражнявай грешките";
constexpr const char* kNewRoundCaption = "Нов кръг";
constexpr const char* kCloseCaption = "Затвори";
// Lines the list shows before it scrolls; a whole round's 60 would not fit a small screen.
constexpr int kVisibleLines = 12;

// The most the list of missed pairs may take of the screen: what its available area leaves
// after the dialog's frame, margins, score, heading and buttons, with a margin.
QSize ListRoom(const QWidget* parent) {
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    }
    constexpr int kAround = 160;
    const QSize available = screen->availableGeometry().size();
    return {std::max(available.width() - kAround, 200),
            std::max(available.height() - 2 * kAround, 100)};
}

} // namespace

ReviewDialog::ReviewDialog(const QString& score, const QStringList& missed, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ReviewDialog"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowModality(Qt::WindowModal);
    // A window of its own takes the application's font, not its parent's.
    if (parent != nullptr) {
        setFont(parent->font());
    }

    auto* layout = new QVBoxLayout(this);
    // Not tied to any control, so a screen reader reads it with the dialog as it appears.
    m_score = new QLabel(score, this);
    m_score->setObjectName(QStringLiteral("ReviewScore"));
    layout->addWidget(m_score);

    auto* buttons = m_buttons = new QDialogButtonBox(this);
    if (missed.isEmpty()) {
        layout->addWidget(new QLabel(QString::fromUtf8(kAllRight), this));
    } else {
        auto* heading = new QLabel(QString::fromUtf8(kMissedHeading), this);
        m_missed = new QListWidget(this);
        m_missed->setObjectName(QStringLiteral("ReviewMissed"));
        m_missed->addItems(missed);
        m_missed->setCurrentRow(0);
        heading->setBuddy(m_missed);
        m_missed->setAccessibleName(heading->text());
        // Wide enough for the longest line, and as tall as a dozen; longer lists scroll. A line
        // wider than the screen has room for wraps instead, and the list is only as tall as
        // leaves room for the rest of the dialog.
        const int frame = 2 * m_missed->frameWidth();
        const int scrollBar = m_missed->verticalScrollBar()->sizeHint().width();
        const QSize room = ListRoom(parent);
        int width = m_missed->sizeHintForColumn(0) + frame + scrollBar;
        if (width > room.width()) {
            width = room.width();
            m_missed->setWordWrap(true);
            m_missed->setResizeMode(QListView::Adjust);
            m_missed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        m_missed->setMinimumWidth(width);
        m_missed->setMinimumHeight(
            std::min(m_missed->sizeHintForRow(0) *
                             static_cast<int>(std::min<qsizetype>(kVisibleLines, missed.size())) +
                         frame,
                     room.height()));
        layout->addWidget(heading);
        layout->addWidget(m_missed);
        m_practise =
            buttons->addButton(QString::fromUtf8(kPractiseCaption), QDialogButtonBox::AcceptRole);
        connect(m_practise, &QPushButton::clicked, this, [this] { done(kPractise); });
    }
    m_newRound =
        buttons->addButton(QString::fromUtf8(kNewRoundCaption), QDialogButtonBox::ActionRole);
    connect(m_newRound, &QPushButton::clicked, this, [this] { done(kNewRound); });
    m_close = buttons->addButton(QString::fromUtf8(kCloseCaption), QDialogButtonBox::RejectRole);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    QPushButton* defaultButton = m_practise != nullptr ? m_practise : m_newRound;
    defaultButton->setDefault(true);
    if (m_missed != nullptr) {
        m_missed->setFocus(Qt::OtherFocusReason);
    } else {
        defaultButton->setFocus(Qt::OtherFocusReason);
    }
}

void ReviewDialog::ShowProgress(const QString& learned, int due) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    m_learned = new QLabel(learned, this);
    m_learned->setObjectName(QStringLiteral("ReviewLearned"));
    layout->insertWidget(1, m_learned);
    if (due > 0) {
        m_reviewDue = m_buttons->addButton(QString::fromUtf8(kReviewDueCaption).arg(due),
                                           QDialogButtonBox::ActionRole);
        m_reviewDue->setObjectName(QStringLiteral("ReviewDue"));
        m_reviewDue->setAutoDefault(false);
        connect(m_reviewDue, &QPushButton::clicked, this, [this] { done(kReviewDue); });
    }
}

} // namespace window
