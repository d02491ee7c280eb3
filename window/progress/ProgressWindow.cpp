// SPDX-License-Identifier: MIT
#include "progress/ProgressWindow.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace window {
namespace {

constexpr const char* kLearner = "Ученик: %1";
constexpr const char* kTable = "Таблица: %1";
constexpr const char* kDue = "За повторение днес: %1";
constexpr const char* kToday = "Днес: %1 отговора, %2 верни";
constexpr const char* kHardestHeading = "Най-трудни двойки";
constexpr const char* kNoMisses = "Досега няма грешки.";
constexpr const char* kFile = "Файл: %1";
constexpr const char* kOtherLearnerCaption = "Друг ученик…";
constexpr const char* kReportCaption = "Запиши отчет като CSV…";
constexpr const char* kCloseCaption = "Затвори";

} // namespace

ProgressWindow::ProgressWindow(const ProgressSummary& summary, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QString::fromUtf8(kProgressTitle));
    if (parent != nullptr) {
        setFont(parent->font());
    }
    auto* layout = new QVBoxLayout(this);
    for (int line = 0; line < 5; ++line) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("ProgressLine%1").arg(line));
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        m_lines << label;
    }
    m_chart = new ProgressChart(this);
    layout->addWidget(m_chart, 1);
    auto* heading = new QLabel(QString::fromUtf8(kHardestHeading), this);
    m_hardest = new QListWidget(this);
    m_hardest->setObjectName(QStringLiteral("ProgressHardest"));
    m_hardest->setAccessibleName(heading->text());
    heading->setBuddy(m_hardest);
    layout->addWidget(heading);
    layout->addWidget(m_hardest);
    m_fault = new QLabel(this);
    m_fault->setObjectName(QStringLiteral("ProgressFault"));
    m_fault->setWordWrap(true);
    m_fault->setTextFormat(Qt::PlainText);
    layout->addWidget(m_fault);
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("ProgressFile"));
    m_file->setTextFormat(Qt::PlainText);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(m_file);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* other =
        buttons->addButton(QString::fromUtf8(kOtherLearnerCaption), QDialogButtonBox::ActionRole);
    other->setObjectName(QStringLiteral("ProgressOtherLearner"));
    connect(other, &QPushButton::clicked, this, &ProgressWindow::otherLearnerAsked);
    QPushButton* report =
        buttons->addButton(QString::fromUtf8(kReportCaption), QDialogButtonBox::ActionRole);
    report->setObjectName(QStringLiteral("ProgressReport"));
    connect(report, &QPushButton::clicked, this, &ProgressWindow::reportAsked);
    QPushButton* close =
        buttons->addButton(QString::fromUtf8(kCloseCaption), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    Show(summary);
}

void ProgressWindow::Show(const ProgressSummary& summary) {
    const QStringList lines{
        QString::fromUtf8(kLearner).arg(summary.learner),
        QString::fromUtf8(kTable).arg(summary.table),
        QString::fromUtf8(kLearnedLine).arg(summary.learned).arg(summary.pairs),
        QString::fromUtf8(kDue).arg(summary.due),
        QString::fromUtf8(kToday).arg(summary.answersToday).arg(summary.rightToday),
    };
    for (int line = 0; line < lines.size(); ++line) {
        m_lines.at(line)->setText(lines.at(line));
    }
    // Read by a screen reader as the window appears, before the focus goes anywhere.
    setAccessibleDescription(lines.join(QStringLiteral(". ")) + u'.');
    m_chart->SetDays(summary.days, summary.pairs);
    m_hardest->clear();
    m_hardest->addItems(summary.hardest.isEmpty() ? QStringList{QString::fromUtf8(kNoMisses)}
                                                  : summary.hardest);
    m_hardest->setCurrentRow(0);
    // As wide as its longest line, as far as the screen has room.
    const int width = m_hardest->sizeHintForColumn(0) + 2 * m_hardest->frameWidth() +
                      m_hardest->verticalScrollBar()->sizeHint().width();
    const int room = screen() != nullptr ? screen()->availableGeometry().width() * 9 / 10 : width;
    m_hardest->setMinimumWidth(std::min(width, room));
    m_fault->setText(summary.fault);
    m_fault->setVisible(!summary.fault.isEmpty());
    m_file->setText(QString::fromUtf8(kFile).arg(QDir::toNativeSeparators(summary.file)));
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) && !m_file->hasSelectedText()) {
        QGuiApplication::clipboard()->setText(Lines().join(u'\n'));
        return;
    }
    QDialog::keyPressEvent(event);
}

QStringList ProgressWindow::Lines() const {
    QStringList lines;
    for (const QLabel* label : m_lines) {
        lines << label->text();
    }
    return lines;
}

} // namespace window
