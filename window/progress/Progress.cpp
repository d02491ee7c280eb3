// SPDX-License-Identifier: MIT
#include "progress/Progress.h"

#include "app/ActionGuard.h"
#include "review/ReviewDialog.h"
#include "tables/Headings.h"
#include "tables/TableFileReader.h"

#include <Learning.h>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <Quiz.h>
#include <Statements.h>
#include <Store.h>
#include <TableFile.h>
#include <algorithm>

namespace window {
namespace {

constexpr const char* kOpenCaption = "Напредък…";
constexpr const char* kHardestLine = "%1 – %2: %3 %4";
constexpr const char* kMissOne = "грешка";
constexpr const char* kMissMany = "грешки";
constexpr const char* kOtherLearnerTitle = "Друг ученик";
constexpr const char* kOtherLearnerLabel = "Име на ученика (от 1 до %1 знака):";
constexpr const char* kBadName = "Името на ученика трябва да е от 1 до %1 знака.";
constexpr const char* kReportTitle = "Запиши отчет като CSV";
constexpr const char* kReportFilters = "Таблици (*.csv)";
constexpr const char* kReportName = "Напредък - %1.csv";
constexpr const char* kReportNotSaved = "Отчетът не е записан във файла „%1“: %2";
constexpr const char* kNoProgressRead = "напредъкът не може да се прочете";
constexpr const char* kNotRemembered = "Ученикът „%1“ няма да бъде запомнен за следващото "
                                       "пускане.";
constexpr const char* kReportHeadings[] = {
    "ученик", "таблица", "верни", "грешни", "последен отговор", "следващо повторение", "научена"};
constexpr const char* kYes = "да";
constexpr const char* kNo = "не";
constexpr int kLongestName = 60;
constexpr std::size_t kHardestPairs = 10;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString LocalDate(progress::TimeMs time, const QString& format) {
    return QDateTime::fromMSecsSinceEpoch(time).toLocalTime().toString(format);
}

// The account's user name, the learner until another is chosen.
QString AccountName() {
    QString name = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return name.isEmpty() ? QStringLiteral("ученик") : name;
}

} // namespace

QString Progress::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/progress.sqlite");
}

Progress::Progress(QWidget* window, const quiz::Quiz& quiz, ActionGuard& guard, QString file,
                   Clock clock)
    : QObject(window), m_window(window), m_quiz(quiz), m_guard(guard), m_file(std::move(file)),
      m_clock(clock ? std::move(clock) : [] { return QDateTime::currentMSecsSinceEpoch(); }) {
    m_reviewDue = new QAction(QString::fromUtf8(kReviewDueCaption).arg(0), this);
    m_reviewDue->setObjectName(QStringLiteral("ReviewDueAction"));
    m_reviewDue->setEnabled(false);
    connect(m_reviewDue, &QAction::triggered, this, m_guard.Guarded([this] { StartDueReview(); }));
    m_open = new QAction(QString::fromUtf8(kOpenCaption), this);
    m_open->setObjectName(QStringLiteral("ProgressAction"));
    connect(m_open, &QAction::triggered, this, m_guard.Guarded([this] { ShowWindow(); }));
}

Progress::~Progress() {
    // Before the object goes: the recorder's thread may still hand news to it until it ends.
    m_recorder.reset();
}

void Progress::Open() {
    if (m_recorder) {
        return;
    }
    const std::filesystem::path path(QDir::toNativeSeparators(m_file).toStdU16String());
    m_recorder = std::make_unique<progress::Recorder>(path, m_clock(), [this] {
        QMetaObject::invokeMethod(
            this, [this] { m_guard.Run([this] { Notified(); }); }, Qt::QueuedConnection);
    });
}

void Progress::Notified() {
    // The learner the store chose last time, now that it is open.
    m_learner = Learner();
    UpdateActions();
    TellOnce();
    emit storeOpened();
}

QList<QAction*> Progress::Actions() const {
    return {m_reviewDue, m_open};
}

QString Progress::Learner() {
    if (m_learner.isEmpty()) {
        const std::string chosen =
            Read([](const progress::Store& store) { return store.ChosenLearner(); });
        m_learner = chosen.empty() ? AccountName() : Text(chosen);
    }
    return m_learner;
}

std::string Progress::Title() const {
    return Headings(m_quiz).first().toStdString();
}

std::vector<std::size_t> Progress::DueRows() {
    const std::string learner = Learner().toStdString();
    const std::string key = progress::TableKey(m_quiz);
    const auto pairs =
        Read([&](const progress::Store& store) { return store.Pairs(learner, key); });
    return progress::DueRows(m_quiz.Table(), pairs, m_clock());
}

QStringList Progress::Learners() {
    QStringList names;
    for (const std::string& name :
         Read([](const progress::Store& store) { return store.Learners(); })) {
        names << Text(name);
    }
    if (!names.contains(Learner())) {
        names.prepend(Learner());
    }
    return names;
}

std::vector<std::size_t> Progress::ReviewRows(const QString& learner) {
    const std::string key = progress::TableKey(m_quiz);
    const auto pairs =
        Read([&](const progress::Store& store) { return store.Pairs(learner.toStdString(), key); });
    std::vector<std::size_t> rows = progress::DueRows(m_quiz.Table(), pairs, m_clock());
    const quiz::PairTable& table = m_quiz.Table();
    for (const progress::HardPair& hard : progress::Hardest(pairs, kHardestPairs)) {
        for (std::size_t row = 0; row < table.pairs.size(); ++row) {
            const bool same = table.pairs[row].left == hard.texts.first &&
                              table.pairs[row].right == hard.texts.second;
            if (same && std::find(rows.begin(), rows.end(), row) == rows.end()) {
                rows.push_back(row);
                break;
            }
        }
    }
    return rows;
}

void Progress::UpdateActions() {
    const auto due = static_cast<int>(DueRows().size());
    m_reviewDue->setText(QString::fromUtf8(kReviewDueCaption).arg(due));
    m_reviewDue->setEnabled(due > 0);
}

bool Progress::ChooseLearner(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > kLongestName) {
        Tell(QString::fromUtf8(kBadName).arg(kLongestName));
        return false;
    }
    Open();
    m_learner = trimmed;
    m_recorder->Post([learner = trimmed.toStdString()](
                         progress::Store& store) { return store.ChooseLearner(learner); },
                     [this](bool made) {
                         if (!made) {
                             QMetaObject::invokeMethod(
                                 this, [this] { m_guard.Run([this] { TellUnremembered(); }); },
                                 Qt::QueuedConnection);
                         }
                     });
    UpdateActions();
    if (m_progressWindow != nullptr) {
        m_progressWindow->Show(Summary());
    }
    return true;
}

void Progress::PairChecked() {
    Open();
    const quiz::CheckedPair check = m_quiz.LastCheck();
    // The learner the store chose last, where none is known here yet: the store is opening.
    const std::string learner = m_learner.toStdString();
    const std::string account = AccountName().toStdString();
    const progress::TimeMs now = m_clock();
    const auto who = [learner, account](const progress::Store& store) -> std::string {
        const std::string chosen = learner.empty() ? store.ChosenLearner() : learner;
        return chosen.empty() ? account : chosen;
    };
    // A round is one registration, from its first check to its end.
    if (m_quiz.Checks() == 1 || m_round.empty()) {
        m_round = statements::NewUuid();
    }
    statements::Answer answer;
    answer.id = statements::NewUuid();
    answer.round = m_round;
    answer.learner.school = m_school.toStdString();
    answer.table = {progress::TableKey(m_quiz), Title()};
    answer.left = check.left;
    answer.right = check.belong ? check.right : RightOf(check.left);
    answer.chosen = check.right;
    answer.success = check.belong;
    answer.time = now;
    m_recorder->Post(
        [who, answer, check](progress::Store& store) mutable {
            answer.learner.name = who(store);
            return store.RecordCheck(answer.learner.name, answer.table.key,
                                     {check.left, check.right}, check.belong, answer.time,
                                     {answer.id, statements::AnsweredStatement(answer)});
        },
        [this](bool) { Recorded(); });
    if (m_quiz.RoundOver()) {
        statements::Completion completion;
        completion.id = statements::NewUuid();
        completion.round = m_round;
        completion.learner.school = answer.learner.school;
        completion.table = answer.table;
        completion.right = m_quiz.RightPairs();
        completion.offered = static_cast<int>(m_quiz.OfferedRows().size());
        completion.time = now;
        m_round.clear();
        m_recorder->Post(
            [who, completion, round = progress::RoundOf(m_quiz)](progress::Store& store) mutable {
                completion.learner.name = who(store);
                return store.RecordRound(
                    completion.learner.name, completion.table.key, round.offered, round.matched,
                    round.practice, completion.time,
                    {completion.id, statements::CompletedStatement(completion)});
            },
            [this](bool) { Recorded(); });
    }
}

std::string Progress::TableKey() const {
    return progress::TableKey(m_quiz);
}

std::string Progress::RightOf(const std::string& left) const {
    // The pair of the left text still open in the round, as the verdict judged it: the last
    // such one; a left text in no pair, the first pair's.
    const quiz::PairTable& table = m_quiz.Table();
    const auto last = std::find_if(table.pairs.rbegin(), table.pairs.rend(),
                                   [&left](const quiz::Pair& pair) { return pair.left == left; });
    if (last != table.pairs.rend()) {
        return last->right;
    }
    return table.pairs.empty() ? std::string() : table.pairs.front().right;
}

void Progress::Recorded() {
    // On the recorder's thread: the news goes to the window's.
    QMetaObject::invokeMethod(
        this, [this] { emit statementsRecorded(); }, Qt::QueuedConnection);
}

void Progress::SetSchool(const QString& school) {
    m_school = school;
}

void Progress::FetchWaiting(std::size_t count,
                            std::function<void(std::vector<progress::OutboxStatement>)> got) {
    Open();
    auto found = std::make_shared<std::vector<progress::OutboxStatement>>();
    m_recorder->Post(
        [count, found](progress::Store& store) {
            *found = store.WaitingStatements(count);
            return true;
        },
        [this, found, got = std::move(got)](bool) {
            QMetaObject::invokeMethod(
                this, [found, got] { got(std::move(*found)); }, Qt::QueuedConnection);
        });
}

void Progress::MarkSent(const std::vector<long long>& rows) {
    Open();
    m_recorder->Post(
        [rows, now = m_clock()](progress::Store& store) { return store.MarkSent(rows, now); });
}

void Progress::MarkRefused(long long row, const std::string& answer) {
    Open();
    m_recorder->Post([row, answer, now = m_clock()](progress::Store& store) {
        return store.MarkRefused(row, answer, now);
    });
}

progress::OutboxState Progress::Outbox() {
    return Read([](const progress::Store& store) { return store.Outbox(); });
}

bool Progress::Readable() {
    return Read([](const progress::Store& store) { return store.Reading(); });
}

std::vector<std::string> Progress::Statements(const QString& learner) {
    return Read([name = learner.toStdString()](const progress::Store& store) {
        return store.Statements(name);
    });
}

void Progress::ShowInReview(ReviewDialog* review) {
    const std::string learner = Learner().toStdString();
    const std::string key = progress::TableKey(m_quiz);
    const auto pairs =
        Read([&](const progress::Store& store) { return store.Pairs(learner, key); });
    review->ShowProgress(
        QString::fromUtf8(kLearnedLine)
            .arg(progress::LearnedPairs(m_quiz.Table(), pairs))
            .arg(m_quiz.Table().pairs.size()),
        static_cast<int>(progress::DueRows(m_quiz.Table(), pairs, m_clock()).size()));
}

void Progress::StartDueReview() {
    const std::vector<std::size_t> rows = DueRows();
    if (!rows.empty()) {
        emit dueReviewAsked(rows);
    }
    UpdateActions();
}

ProgressSummary Progress::Summary() {
    const std::string learner = Learner().toStdString();
    const std::string key = progress::TableKey(m_quiz);
    const progress::TimeMs now = m_clock();
    const QDate today = QDateTime::fromMSecsSinceEpoch(now).toLocalTime().date();
    const QDate first = today.addDays(1 - kChartDays);
    const progress::TimeMs since = first.startOfDay().toMSecsSinceEpoch();
    struct Found {
        std::map<progress::PairTexts, progress::PairRecord> pairs;
        std::vector<progress::DayRecord> days;
        std::string fault;
    };
    const Found read = Read([&](const progress::Store& store) {
        return Found{store.Pairs(learner, key), store.Days(learner, key, since),
                     store.Recording() ? std::string() : store.Message()};
    });
    const progress::Figures figures = progress::FiguresOf(m_quiz.Table(), read.pairs, read.days,
                                                          today.toString(Qt::ISODate).toStdString(),
                                                          kChartDays, kHardestPairs, now);
    ProgressSummary summary;
    summary.learner = m_learner;
    summary.table = Text(Title());
    summary.learned = figures.learned;
    summary.pairs = figures.pairs;
    summary.due = figures.due;
    for (const progress::DayRecord& record : figures.days) {
        summary.days << ChartDay{QDate::fromString(Text(record.date), Qt::ISODate), record.right,
                                 record.wrong, record.learned};
    }
    summary.answersToday = figures.answersToday;
    summary.rightToday = figures.rightToday;
    for (const progress::HardPair& hard : figures.hardest) {
        // One arg() for all: a text of the table may hold "%3" itself.
        summary.hardest << QString::fromUtf8(kHardestLine)
                               .arg(Text(hard.texts.first).trimmed(),
                                    Text(hard.texts.second).trimmed(), QString::number(hard.misses),
                                    QString::fromUtf8(hard.misses == 1 ? kMissOne : kMissMany));
    }
    summary.file = m_file;
    summary.fault = Text(read.fault);
    return summary;
}

void Progress::ShowWindow() {
    if (m_progressWindow != nullptr) {
        m_progressWindow->Show(Summary());
        m_progressWindow->raise();
        m_progressWindow->activateWindow();
        return;
    }
    m_progressWindow = new ProgressWindow(Summary(), m_window);
    m_progressWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_progressWindow, &ProgressWindow::otherLearnerAsked, this,
            m_guard.Guarded([this] { AskOtherLearner(); }));
    connect(m_progressWindow, &ProgressWindow::reportAsked, this,
            m_guard.Guarded([this] { AskReportFile(); }));
    m_progressWindow->open();
}

ProgressWindow* Progress::Window() const {
    return m_progressWindow;
}

QMessageBox* Progress::Message() const {
    return m_message != nullptr && m_message->isVisible() ? m_message.data() : nullptr;
}

void Progress::AskOtherLearner() {
    const QStringList names = Learners();
    bool chosen = false;
    QWidget* parent = m_progressWindow != nullptr ? m_progressWindow.data() : m_window;
    const QString name =
        QInputDialog::getItem(parent, QString::fromUtf8(kOtherLearnerTitle),
                              QString::fromUtf8(kOtherLearnerLabel).arg(kLongestName), names,
                              static_cast<int>(names.indexOf(m_learner)), true, &chosen);
    if (chosen) {
        ChooseLearner(name);
    }
}

void Progress::AskReportFile() {
    QWidget* parent = m_progressWindow != nullptr ? m_progressWindow.data() : m_window;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        parent, QString::fromUtf8(kReportTitle),
        folder + u'/' + QString::fromUtf8(kReportName).arg(Text(Title())),
        QString::fromUtf8(kReportFilters));
    if (!path.isEmpty()) {
        SaveReport(path);
    }
}

bool Progress::SaveReport(const QString& path) {
    const std::string key = progress::TableKey(m_quiz);
    struct Found {
        bool reading = false;
        std::vector<progress::ReportRecord> lines;
    };
    const Found read = Read([&key](const progress::Store& store) {
        return Found{store.Reading(), store.Report(key)};
    });
    if (!read.reading) {
        Tell(QString::fromUtf8(kReportNotSaved)
                 .arg(QDir::toNativeSeparators(path), QString::fromUtf8(kNoProgressRead)));
        return false;
    }
    std::vector<std::vector<std::string>> rows;
    const std::vector<std::string>& columns = m_quiz.Table().columns;
    rows.push_back({kReportHeadings[0], kReportHeadings[1], columns.at(0), columns.at(1)});
    rows.back().insert(rows.back().end(), std::begin(kReportHeadings) + 2,
                       std::end(kReportHeadings));
    const std::string title = Title();
    const QString dateFormat = QStringLiteral("dd.MM.yyyy");
    for (const progress::ReportRecord& line : read.lines) {
        const progress::MemoryState& memory = line.record.memory;
        rows.push_back({line.learner, title, line.left, line.right,
                        std::to_string(line.record.good), std::to_string(line.record.again),
                        LocalDate(memory.lastReview, dateFormat).toStdString(),
                        LocalDate(memory.due, dateFormat).toStdString(),
                        progress::Learned(memory) ? kYes : kNo});
    }
    // Pupils type their names, teachers their tables: neither may become a formula.
    for (std::vector<std::string>& row : rows) {
        std::transform(row.begin(), row.end(), row.begin(), quiz::ShownAsText);
    }
    const QString error = TableFileReader::WriteWhole(path, quiz::WriteRows(rows));
    if (!error.isEmpty()) {
        Tell(QString::fromUtf8(kReportNotSaved).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

void Progress::TellOnce() {
    if (m_told || !m_recorder || !m_recorder->Opened()) {
        return;
    }
    const std::string message = Read([](const progress::Store& store) { return store.Message(); });
    if (!message.empty()) {
        m_told = true;
        Tell(Text(message));
    }
}

void Progress::TellUnremembered() {
    const std::string message = Read([](const progress::Store& store) { return store.Message(); });
    m_told = true;
    Tell(QString::fromUtf8(kNotRemembered).arg(m_learner) +
         (message.empty() ? QString() : QLatin1Char(' ') + Text(message)));
}

void Progress::Tell(const QString& text) {
    if (m_message != nullptr) {
        m_message->close();
    }
    QWidget* parent = m_progressWindow != nullptr ? m_progressWindow.data() : m_window;
    m_message = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kProgressTitle), text,
                                QMessageBox::Ok, parent);
    m_message->setObjectName(QStringLiteral("ProgressMessage"));
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    m_message->open();
}

} // namespace window
