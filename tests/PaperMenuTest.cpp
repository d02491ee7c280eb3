// SPDX-License-Identifier: MIT
// The sheets on paper from the window: each kind written as a PDF (read back by poppler in
// check_paper.sh, which runs this test with TREVIKA_PAPER_OUT set), the print dialog's module
// found and a printer that is not there told, a long table's sheets cancelled, and files that
// cannot be written.
#include "printing/PaperMenu.h"

#include "FileSizeLimit.h"
#include "WindowTestHelpers.h"
#include "progress/Progress.h"
#include "review/ReviewDialog.h"

#include <PairTable.h>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <TableFile.h>

using window::SheetChoice;
using window::SheetKind;
using window::Trevika;
using windowtest::ShowWindow;
using windowtest::WhenShown;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every text the built-in table's sheets must give back, one a line.
void WriteExpectedTexts(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QTextStream out(&file);
    for (const quiz::Pair& pair : quiz::BuiltInTable()->pairs) {
        out << QString::fromStdString(std::string(quiz::Trimmed(pair.left))) << '\n'
            << QString::fromStdString(std::string(quiz::Trimmed(pair.right))) << '\n';
    }
}

// A table file of that many pairs, the last one's right text a single word.
QString WriteLongTable(const QString& path, std::size_t pairs) {
    quiz::PairTable table;
    table.title = "Дълга таблица";
    table.columns = {"дума", "превод"};
    for (std::size_t i = 0; i < pairs; ++i) {
        table.pairs.push_back(
            {"дума " + std::to_string(i), "превод на думата " + std::to_string(i), {}});
    }
    // A word as long as a text may be, which only wraps inside itself.
    table.pairs.back().right.clear();
    for (std::size_t letter = 0; letter < quiz::kMaxTextLength; ++letter) {
        table.pairs.back().right += "я";
    }
    QFile file(path);
    const std::string bytes = quiz::WriteTable(table);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

} // namespace

class PaperMenuTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init();
    void cleanup() { m_window.reset(); }

    void writesEachSheetAsPdf_data();
    void writesEachSheetAsPdf();
    void writesALearnersReviewSheet();
    void dialogOffersWhatTheTableHas();
    void printingLoadsPrintSupportAndTellsAMissingPrinter();
    void printsToTheNamedPrinter();
    void longTableCanBeCancelled();
    void fileThatCannotBeWrittenIsTold_data();
    void fileThatCannotBeWrittenIsTold();

private:
    [[nodiscard]] QString Out(const QString& name) const;

    QTemporaryDir m_folder;
    std::unique_ptr<Trevika> m_window;
};

void PaperMenuTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

QString PaperMenuTest::Out(const QString& name) const {
    const QString out = qEnvironmentVariable("TREVIKA_PAPER_OUT");
    return out.isEmpty() ? m_folder.filePath(name) : QDir(out).filePath(name);
}

void PaperMenuTest::writesEachSheetAsPdf_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("name");
    QTest::newRow("worksheet") << int(SheetKind::Worksheet) << 7 << "worksheet-7.pdf";
    QTest::newRow("worksheet, another variant")
        << int(SheetKind::Worksheet) << 8 << "worksheet-8.pdf";
    QTest::newRow("answer key") << int(SheetKind::Key) << 7 << "key-7.pdf";
    QTest::newRow("blank map") << int(SheetKind::BlankMap) << 1 << "map.pdf";
}

void PaperMenuTest::writesEachSheetAsPdf() {
    QFETCH(int, kind);
    QFETCH(int, variant);
    QFETCH(QString, name);
    const QString path = Out(name);
    QVERIFY(m_window->Paper()->SavePdf(path, {static_cast<SheetKind>(kind), variant, {}}));
    const QByteArray pdf = Bytes(path);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.contains("/Lang (bg)"));
    // The same choice writes the same sheet, apart from the time it was made.
    const QString again = m_folder.filePath(QStringLiteral("again.pdf"));
    QVERIFY(m_window->Paper()->SavePdf(again, {static_cast<SheetKind>(kind), variant, {}}));
    QCOMPARE(Bytes(again).size(), pdf.size());
    WriteExpectedTexts(Out(QStringLiteral("expected.txt")));
}

// The pairs a learner missed in a round, which check_paper.sh finds on the sheet with the
// learner's name; a learner with none gets no sheet.
void PaperMenuTest::writesALearnersReviewSheet() {
    m_window->UseProgress(m_folder.filePath(QStringLiteral("progress.sqlite")));
    window::Progress& progress = *m_window->ProgressFlow();
    progress.Open();
    QVERIFY(progress.ChooseLearner(QStringLiteral("Ана")));
    const QString table = m_folder.filePath(QStringLiteral("Обекти.csv"));
    QFile file(table);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("град;обект\nЯмбол;Кабиле\nМелник;Къща\nКърджали;Перперикон\n");
    file.close();
    QVERIFY(m_window->OpenTable(table));
    for (const auto& [left, right] :
         {std::pair{"Ямбол", "Кабиле"}, {"Мелник", "Перперикон"}, {"Кърджали", "Къща"}}) {
        QVERIFY(windowtest::ClickItem(m_window->List1(0), QString::fromUtf8(left)));
        QVERIFY(windowtest::ClickItem(m_window->List1(1), QString::fromUtf8(right)));
    }
    QCoreApplication::processEvents();
    if (m_window->Review() != nullptr) {
        m_window->Review()->reject();
    }
    QStringList pairs;
    for (const std::size_t row : progress.ReviewRows(QStringLiteral("Ана"))) {
        const quiz::Pair& pair = m_window->Quiz().Table().pairs.at(row);
        pairs << QString::fromStdString(pair.left + " – " + pair.right);
    }
    pairs.sort();
    QCOMPARE(pairs, (QStringList{QStringLiteral("Кърджали – Перперикон"),
                                 QStringLiteral("Мелник – Къща")}));
    QCOMPARE(progress.Learners(), QStringList{QStringLiteral("Ана")});
    QVERIFY(m_window->Paper()->SavePdf(Out(QStringLiteral("review.pdf")),
                                       {SheetKind::Review, 3, QStringLiteral("Ана")}));
    const QString none = m_folder.filePath(QStringLiteral("none.pdf"));
    QVERIFY(!m_window->Paper()->SavePdf(none, {SheetKind::Review, 3, QStringLiteral("Боби")}));
    QCOMPARE(m_window->Paper()->Message()->text(),
             QStringLiteral("Боби няма двойки за повторение от тази таблица."));
    QVERIFY(!QFile::exists(none));
}

void PaperMenuTest::dialogOffersWhatTheTableHas() {
    QString kinds;
    bool mapOffered = false;
    WhenShown([&](QWidget* shown) {
        auto* kind = shown->findChild<QComboBox*>(QStringLiteral("Kind"));
        QVERIFY(kind != nullptr);
        for (int i = 0; i < kind->count(); ++i) {
            kinds += kind->itemText(i) + QLatin1Char('|');
        }
        mapOffered = kind->model()->flags(kind->model()->index(2, 0)).testFlag(Qt::ItemIsEnabled);
        auto* variant = shown->findChild<QSpinBox*>(QStringLiteral("Variant"));
        QVERIFY(variant != nullptr);
        QCOMPARE(variant->minimum(), 1);
        QCOMPARE(variant->maximum(), 99);
    });
    m_window->Paper()->Actions().at(1)->trigger();
    QCOMPARE(kinds, QStringLiteral("Работен лист|Отговори|Празна карта|За повторение|"));
    QVERIFY(mapOffered);
    QCOMPARE(m_window->Paper()->Actions().at(0)->shortcut(), QKeySequence(QKeySequence::Print));
}

void PaperMenuTest::printingLoadsPrintSupportAndTellsAMissingPrinter() {
    QVERIFY(!m_window->Paper()->Print({}, QStringLiteral("няма-такъв")));
    QVERIFY(m_window->Paper()->Message() != nullptr);
    QCOMPARE(m_window->Paper()->Message()->text(),
             QStringLiteral("Листът не е отпечатан:\nняма принтер „няма-такъв“."));
}

void PaperMenuTest::printsToTheNamedPrinter() {
    const QString printer = qEnvironmentVariable("TREVIKA_TEST_PRINTER");
    if (printer.isEmpty()) {
        QSKIP("no printer named: check_paper.sh names its CUPS queue");
    }
    QVERIFY(m_window->Paper()->Print({SheetKind::Worksheet, 7, {}}, printer));
}

void PaperMenuTest::longTableCanBeCancelled() {
    QVERIFY(m_window->OpenTable(
        WriteLongTable(m_folder.filePath(QStringLiteral("дълга.csv")), quiz::kMaxPairs)));
    // Here a sheet of 30 pages takes less than a second, so its progress is shown at once.
    m_window->Paper()->SetProgressDelay(0);
    bool shown = false;
    auto* cancel = new QTimer(m_window.get());
    connect(cancel, &QTimer::timeout, cancel, [&] {
        for (auto* progress : m_window->findChildren<QProgressDialog*>()) {
            if (progress->isVisible()) {
                shown = true;
                progress->cancel();
            }
        }
    });
    cancel->start(20);
    const QString path = m_folder.filePath(QStringLiteral("long.pdf"));
    QVERIFY(!m_window->Paper()->SavePdf(path, {SheetKind::Worksheet, 1, {}}));
    QVERIFY(shown);
    QVERIFY(!QFile::exists(path));
    cancel->stop();
    // Not cancelled, all of it is written; check_paper.py counts its pages.
    const QString whole = Out(QStringLiteral("long.pdf"));
    QVERIFY(m_window->Paper()->SavePdf(whole, {SheetKind::Worksheet, 1, {}}));
    QVERIFY(Bytes(whole).startsWith("%PDF-"));
}

void PaperMenuTest::fileThatCannotBeWrittenIsTold_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("full");
    QTest::newRow("no such folder") << "няма/лист.pdf" << false;
    QTest::newRow("a file in place of the folder") << "файл/лист.pdf" << false;
    QTest::newRow("a full disk") << "лист.pdf" << true;
}

void PaperMenuTest::fileThatCannotBeWrittenIsTold() {
    QFETCH(QString, name);
    QFETCH(bool, full);
    const QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("файл")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder.filePath(name);
    if (full) {
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("kept");
        kept.close();
    }
    bool written = true;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (full) {
            limit = FileSizeLimit::Set(4096);
            if (limit == nullptr) {
                QSKIP("this system cannot limit a file's size");
            }
        }
        written = m_window->Paper()->SavePdf(path, {SheetKind::Worksheet, 1, {}});
    }
    QVERIFY(!written);
    QVERIFY(m_window->Paper()->Message() != nullptr);
    const QString text = m_window->Paper()->Message()->text();
    QVERIFY2(text.startsWith(QStringLiteral("Листът не е записан във файла „%1“:\n")
                                 .arg(QDir::toNativeSeparators(path))),
             qPrintable(text));
    QCOMPARE(Bytes(path), full ? QByteArray("kept") : QByteArray());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(),
             full ? 2 : 1);
}

QTEST_MAIN(PaperMenuTest)
#include "PaperMenuTest.moc"
