// SPDX-License-Identifier: MIT
#include "class/ClassView.h"

#include "app/ActionGuard.h"
#include "class/Sender.h"
#include "class/StatementReader.h"
#include "progress/Progress.h"
#include "tables/TableFileReader.h"

#include <Learning.h>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrlQuery>
#include <QVBoxLayout>
#include <Statements.h>
#include <TableFile.h>
#include <algorithm>
#include <atomic>
#include <thread>

namespace window {
namespace {

constexpr const char* kTitle = "Клас";
constexpr const char* kTableLine = "Таблица: %1";
constexpr const char* kSourceLine = "Изявления: %1, ученици: %2.";
constexpr const char* kNoSource = "Още няма прочетени резултати.";
constexpr const char* kFromStore = "От &хранилището";
constexpr const char* kFromFolder = "Добави &папка…";
constexpr const char* kSaveCsv = "Запиши като &CSV…";
constexpr const char* kHardestLabel = "Най-трудните двойки за класа:";
constexpr const char* kHeadings[] = {"ученик", "отговори", "верни %", "научени двойки", "последно"};
constexpr const char* kCsvHeadings[] = {"ученик",  "таблица",        "отговори", "верни",
                                        "верни %", "научени двойки", "последно"};
constexpr const char* kHardestLine = "%1: %2 пъти сгрешена";
constexpr const char* kRowName = "%1: %2 отговора, %3 % верни, %4 научени двойки, последно %5";
constexpr const char* kReading = "Чете от хранилището…";
constexpr const char* kStoreFailed = "Резултатите от хранилището не са прочетени: %1";
constexpr const char* kStoreStatus = "хранилището отговори с HTTP %1";
constexpr const char* kFolderUnread = "Папката „%1“ не се чете.";
constexpr const char* kFileUnread = "Файлът „%1“ не е прочетен: %2";
constexpr const char* kTooManyInAll = "изявленията на класа стават повече от %1";
// Files read at once.
constexpr unsigned kMostReaders = 4;
constexpr const char* kFolderTitle = "Папка с изнесени резултати";
constexpr const char* kCsvTitle = "Запиши резултатите на класа като CSV";
constexpr const char* kCsvFilters = "Таблици (*.csv)";
constexpr const char* kCsvName = "Клас - %1.csv";
constexpr const char* kCsvNotSaved = "Резултатите на класа не са записани във файла „%1“: %2";
constexpr const char* kStore = "хранилището";
constexpr std::size_t kHardestPairs = 10;
// A page of the LRS's answer.
constexpr int kPage = 1000;

QString Day(progress::TimeMs time) {
    return QDateTime::fromMSecsSinceEpoch(time).toLocalTime().toString(
        QStringLiteral("dd.MM.yyyy"));
}

int Percent(const statements::LearnerFigures& learner) {
    return learner.answers == 0 ? 0 : (learner.right * 100 + learner.answers / 2) / learner.answers;
}

QTableWidgetItem* Cell(const QVariant& value, const QString& shown = {}) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    if (!shown.isEmpty()) {
        item->setData(Qt::DisplayRole, shown);
        item->setData(Qt::UserRole, value);
    }
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

// Sorts by the value behind a shown date.
class DateItem final : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toLongLong() < other.data(Qt::UserRole).toLongLong();
    }
};

} // namespace

ClassView::ClassView(ClassConfig config, Progress& progress, Sender& sender, ActionGuard& guard,
                     QWidget* parent)
    : QDialog(parent), m_config(std::move(config)), m_progress(progress), m_sender(sender),
      m_guard(guard), m_table(statements::TableActivity(progress.TableKey())),
      m_tableTitle(progress.TableTitle()), m_source(new QLabel(QString::fromUtf8(kNoSource))),
      m_learners(new QTableWidget(0, static_cast<int>(std::size(kHeadings)), this)),
      m_hardest(new QListWidget(this)),
      m_fromStore(new QPushButton(QString::fromUtf8(kFromStore))) {
    setObjectName(QStringLiteral("ClassView"));
    setWindowTitle(QString::fromUtf8(kTitle));
    m_learners->setObjectName(QStringLiteral("ClassLearners"));
    m_hardest->setObjectName(QStringLiteral("ClassHardest"));
    m_source->setObjectName(QStringLiteral("ClassSource"));
    m_fromStore->setObjectName(QStringLiteral("FromStore"));
    QStringList headings;
    for (const char* heading : kHeadings) {
        headings << QString::fromUtf8(heading);
    }
    m_learners->setHorizontalHeaderLabels(headings);
    m_learners->setSortingEnabled(true);
    m_learners->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_learners->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_learners->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_learners->verticalHeader()->hide();
    m_learners->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_learners->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_learners->setAccessibleName(QString::fromUtf8(kTitle));

    auto* fromFolder = new QPushButton(QString::fromUtf8(kFromFolder));
    fromFolder->setObjectName(QStringLiteral("FromFolder"));
    auto* saveCsv = new QPushButton(QString::fromUtf8(kSaveCsv));
    saveCsv->setObjectName(QStringLiteral("SaveClassCsv"));
    m_fromStore->setEnabled(m_config.Configured() && m_config.Fault().isEmpty());
    auto* sources = new QHBoxLayout;
    sources->addWidget(m_fromStore);
    sources->addWidget(fromFolder);
    sources->addStretch();
    sources->addWidget(saveCsv);
    auto* hardestLabel = new QLabel(QString::fromUtf8(kHardestLabel));
    hardestLabel->setBuddy(m_hardest);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QString::fromUtf8(kTableLine).arg(QString::fromStdString(m_tableTitle))));
    layout->addLayout(sources);
    layout->addWidget(m_source);
    layout->addWidget(m_learners, 3);
    layout->addWidget(hardestLabel);
    layout->addWidget(m_hardest, 1);
    layout->addWidget(buttons);
    resize(640, 480);

    connect(m_fromStore, &QPushButton::clicked, this, m_guard.Guarded([this] { ReadStore(); }));
    connect(fromFolder, &QPushButton::clicked, this, m_guard.Guarded([this] { AskFolder(); }));
    connect(saveCsv, &QPushButton::clicked, this, m_guard.Guarded([this] { AskCsv(); }));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Show();
}

ClassView::~ClassView() {
    if (m_reply != nullptr) {
        m_reply->abort();
    }
}

void ClassView::Add(std::vector<statements::Record> records) {
    m_records.insert(m_records.end(), std::make_move_iterator(records.begin()),
                     std::make_move_iterator(records.end()));
}

namespace {

ReadStatements ReadFile(const QString& path) {
    const QString name = QDir::toNativeSeparators(path);
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        ReadStatements read;
        read.fault = QString::fromUtf8(kFileUnread).arg(name, in.errorString());
        return read;
    }
    // Never more than the limit, whatever size the file says it has.
    ReadStatements read =
        ReadStatementsFrom(in.read(kLongestStatements + 1), name, kMostStatements);
    if (!read.fault.isEmpty()) {
        read.fault = QString::fromUtf8(kFileUnread).arg(name, read.fault);
    }
    return read;
}

} // namespace

bool ClassView::AddFolder(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists()) {
        Tell(QString::fromUtf8(kFolderUnread).arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    QStringList paths;
    for (const QFileInfo& file :
         dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        paths << file.filePath();
    }
    // A class's files are read on every core, a file at a time each (at most two files'
    // worth of memory a core); what they hold is taken in the files' order.
    std::vector<ReadStatements> read(static_cast<std::size_t>(paths.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&paths, &read, &next] {
        for (qsizetype at = next++; at < paths.size(); at = next++) {
            read[static_cast<std::size_t>(at)] = ReadFile(paths.at(at));
        }
    };
    std::vector<std::thread> workers;
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1U, kMostReaders);
    for (unsigned core = 1; core < cores; ++core) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    bool all = true;
    for (std::size_t at = 0; at < read.size(); ++at) {
        if (read[at].fault.isEmpty() &&
            m_records.size() + read[at].records.size() > kMostStatements) {
            read[at].fault =
                QString::fromUtf8(kFileUnread)
                    .arg(QDir::toNativeSeparators(paths.at(static_cast<qsizetype>(at))),
                         QString::fromUtf8(kTooManyInAll).arg(kMostStatements));
        }
        if (!read[at].fault.isEmpty()) {
            Tell(read[at].fault);
            all = false;
            break;
        }
        Add(std::move(read[at].records));
    }
    Show();
    return all;
}

void ClassView::ReadStore() {
    if (m_reply != nullptr || !m_config.Configured()) {
        return;
    }
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("activity"), QString::fromStdString(m_table));
    query.addQueryItem(QStringLiteral("related_activities"), QStringLiteral("true"));
    query.addQueryItem(QStringLiteral("limit"), QString::number(kPage));
    QUrl url = m_config.Endpoint().resolved(QUrl(QStringLiteral("statements")));
    url.setQuery(query);
    m_source->setText(QString::fromUtf8(kReading));
    ReadPage(url);
}

void ClassView::ReadPage(const QUrl& url) {
    QNetworkRequest request = Sender::Request(m_config, QString());
    request.setUrl(url);
    m_reply = m_sender.Network().get(request);
    QNetworkReply* reply = m_reply;
    connect(reply, &QNetworkReply::finished, this, m_guard.Guarded([this, reply] {
        reply->deleteLater();
        m_reply = nullptr;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() != QNetworkReply::NoError || status != 200) {
            const QString why =
                status == 0 ? Sender::Failure(reply) : QString::fromUtf8(kStoreStatus).arg(status);
            Tell(QString::fromUtf8(kStoreFailed).arg(why));
            Show();
            return;
        }
        ReadStatements read =
            ReadStatementsFrom(reply->read(kLongestStatements), QString::fromUtf8(kStore),
                               kMostStatements - m_records.size());
        if (!read.fault.isEmpty()) {
            Tell(QString::fromUtf8(kStoreFailed).arg(read.fault));
            Show();
            return;
        }
        Add(std::move(read.records));
        if (!read.more.isEmpty()) {
            // "more" is a path on the LRS's own host.
            ReadPage(m_config.Endpoint().resolved(QUrl(read.more)));
            return;
        }
        Show();
    }));
}

void ClassView::Show() {
    m_figures = statements::FiguresOf(m_records, m_table, kHardestPairs);
    m_learners->setSortingEnabled(false);
    m_learners->setRowCount(static_cast<int>(m_figures.learners.size()));
    int row = 0;
    for (const statements::LearnerFigures& learner : m_figures.learners) {
        const QString name = QString::fromStdString(learner.learner);
        auto* last = new DateItem(Day(learner.lastSeen));
        last->setData(Qt::UserRole, static_cast<qlonglong>(learner.lastSeen));
        last->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QTableWidgetItem* first = Cell(name);
        // A screen reader reads the row as one line.
        first->setData(Qt::AccessibleTextRole,
                       QString::fromUtf8(kRowName).arg(name, QString::number(learner.answers),
                                                       QString::number(Percent(learner)),
                                                       QString::number(learner.learned),
                                                       Day(learner.lastSeen)));
        m_learners->setItem(row, 0, first);
        m_learners->setItem(row, 1, Cell(learner.answers));
        m_learners->setItem(row, 2, Cell(Percent(learner)));
        m_learners->setItem(row, 3, Cell(learner.learned));
        m_learners->setItem(row, 4, last);
        ++row;
    }
    m_learners->setSortingEnabled(true);
    m_hardest->clear();
    for (const statements::ClassPair& pair : m_figures.hardest) {
        m_hardest->addItem(QString::fromUtf8(kHardestLine)
                               .arg(QString::fromStdString(pair.name))
                               .arg(pair.misses));
    }
    m_source->setText(m_records.empty() ? QString::fromUtf8(kNoSource)
                                        : QString::fromUtf8(kSourceLine)
                                              .arg(m_figures.statements)
                                              .arg(m_figures.learners.size()));
    emit shown();
}

bool ClassView::SaveCsv(const QString& path) {
    std::vector<std::vector<std::string>> rows(1);
    for (const char* heading : kCsvHeadings) {
        rows.front().emplace_back(heading);
    }
    for (const statements::LearnerFigures& learner : m_figures.learners) {
        rows.push_back({learner.learner, m_tableTitle, std::to_string(learner.answers),
                        std::to_string(learner.right), std::to_string(Percent(learner)),
                        std::to_string(learner.learned), Day(learner.lastSeen).toStdString()});
    }
    // Pupils type their names, teachers their tables: neither may become a formula.
    for (std::vector<std::string>& line : rows) {
        std::transform(line.begin(), line.end(), line.begin(), quiz::ShownAsText);
    }
    const QString error = TableFileReader::WriteWhole(path, quiz::WriteRows(rows));
    if (!error.isEmpty()) {
        Tell(QString::fromUtf8(kCsvNotSaved).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

void ClassView::AskFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QString::fromUtf8(kFolderTitle),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.isEmpty()) {
        AddFolder(folder);
    }
}

void ClassView::AskCsv() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8(kCsvTitle),
        folder + u'/' + QString::fromUtf8(kCsvName).arg(QString::fromStdString(m_tableTitle)),
        QString::fromUtf8(kCsvFilters));
    if (!path.isEmpty()) {
        SaveCsv(path);
    }
}

void ClassView::Tell(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kTitle), text,
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("ClassViewMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace window
