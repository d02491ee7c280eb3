// SPDX-License-Identifier: MIT
#include "tables/TableMenu.h"

#include "WindowTestHelpers.h"
#include "app/Startup.h"
#include "exchange/ExportMenu.h"
#include "quiz/Trevika.h"
#include "review/ReviewDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <Questions.h>
#include <Spreadsheet.h>
#include <TableFile.h>
#include <memory>
#include <tuple>

using window::ExportMenu;
using window::Trevika;
using namespace windowtest;

namespace {

const QString kExample = QStringLiteral(TREVIKA_EXAMPLES "/Автори и творби.csv");

// What the learner sees of the quiz, to tell that a bad file left it as it was.
QStringList Seen(const Trevika& window) {
    QStringList seen;
    for (int member = 0; member < 3; ++member) {
        seen << window.Label1(member)->text();
    }
    for (int member = 0; member < 2; ++member) {
        const QAbstractItemModel* model = window.List1(member)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            seen << model->index(row, 0).data().toString();
        }
    }
    return seen << window.Text1(0)->toPlainText() << window.Score()->text();
}

// The table's pairs without their order.
QStringList PairsOf(const quiz::PairTable& table) {
    QStringList pairs;
    for (const quiz::Pair& pair : table.pairs) {
        pairs << QString::fromStdString(pair.left + " | " + pair.right);
    }
    pairs.sort();
    return pairs;
}

} // namespace

class TableMenuTest : public QObject {
    Q_OBJECT

private slots:
    // Qt's own file dialog, which the test can answer; the platform's has an event loop of its
    // own on Windows.
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init();
    void cleanup() { m_window.reset(); }

    void opensTheFileItWasStartedWith();
    void opensADroppedFile();
    void opensFromTheContextMenu();
    void builtInTableComesBackAsAtStartUp();
    void badFileIsToldAndChangesNothing_data();
    void badFileIsToldAndChangesNothing();
    void savesTheTableInPlay();
    void asksBeforeReplacingAFile();
    void reviewsAndPractisesAnOpenedTable();
    void longTextScrollsSideways();
    void opensMoodleQuestions();
    void exportsForMoodleAndAnki();

private:
    void ExpectExample() const;
    [[nodiscard]] QString Write(const QString& name, const QByteArray& bytes) const;

    QTemporaryDir m_folder;
    std::unique_ptr<Trevika> m_window;
};

void TableMenuTest::init() {
    m_window = ShowWindow();
    QVERIFY(m_window != nullptr);
}

void TableMenuTest::ExpectExample() const {
    QCOMPARE(m_window->Label1(0)->text(), QStringLiteral("Автори и творби"));
    QCOMPARE(m_window->Label1(1)->text(), QStringLiteral("Автор"));
    QCOMPARE(m_window->Label1(2)->text(), QStringLiteral("Творба"));
    QCOMPARE(m_window->List1(1)->accessibleName(), QStringLiteral("Творба"));
    QCOMPARE(m_window->List1(0)->model()->rowCount(), 16);
    QCOMPARE(m_window->List1(1)->model()->index(0, 0).data().toString(),
             QStringLiteral("Бай Ганьо; невероятни разкази за един съвременен българин"));
    QCOMPARE(m_window->Text1(0)->toPlainText(), QString());
}

QString TableMenuTest::Write(const QString& name, const QByteArray& bytes) const {
    QString path = m_folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

void TableMenuTest::opensTheFileItWasStartedWith() {
    window::OpenFromCommandLine(*m_window, {kExample});
    ExpectExample();
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Христо Ботев")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Хаджи Димитър")));
    QCOMPARE(m_window->Text1(0)->toPlainText(),
             QStringLiteral("Вярно  автор Христо Ботев творба Хаджи Димитър\n година 1873"));
}

void TableMenuTest::opensADroppedFile() {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(kExample), QUrl::fromLocalFile(kExample)});
    const QPoint middle = m_window->rect().center();
    QDragEnterEvent twoFiles(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_window.get(), &twoFiles);
    QVERIFY(!twoFiles.isAccepted());

    data.setUrls({QUrl::fromLocalFile(kExample)});
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_window.get(), &drop);
    QVERIFY(drop.isAccepted());
    ExpectExample();
}

void TableMenuTest::opensFromTheContextMenu() {
    QStringList offered;
    WhenShown([&offered](QWidget* menu) {
        for (const QAction* action : qobject_cast<QMenu*>(menu)->actions()) {
            offered << action->text() + QLatin1Char('|') + action->shortcut().toString();
        }
    });
    // A right click on the heading.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            m_window->Label1(0)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_window->Label1(0), &click);
    QCOMPARE(offered,
             (QStringList{
                 QStringLiteral("Отвори таблица…|Ctrl+O"), QStringLiteral("Вградената таблица|"),
                 QStringLiteral("Запиши таблицата като CSV…|Ctrl+S"),
                 QStringLiteral("Изнеси таблицата като…|"), QStringLiteral("Печат…|Ctrl+P"),
                 QStringLiteral("Запиши като PDF…|"), QStringLiteral("|"),
                 QStringLiteral("По-едър текст|Ctrl++"), QStringLiteral("По-дребен текст|Ctrl+-"),
                 QStringLiteral("Обичаен размер на текста|Ctrl+0"), QStringLiteral("|"),
                 QStringLiteral("Карта|F4"), QStringLiteral("Кръг на картата|")}));

    // The shortcut works wherever the focus is in the window.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QStringList filters;
    WhenShown([&filters](QWidget* shown) {
        auto* dialog = qobject_cast<QFileDialog*>(shown);
        QVERIFY(dialog != nullptr);
        filters = dialog->nameFilters();
        // Typed into the file name box, as a learner would: the dialog's selectFile() leaves
        // the box alone while it has the focus. With the drive on Windows, as the dialog
        // itself gives a path back.
        const QFileInfo file(kExample);
        dialog->setDirectory(file.absolutePath());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(file.fileName());
        QCOMPARE(dialog->selectedFiles(), QStringList{file.absoluteFilePath()});
        // As the Open button would, without the dialog's own look at the folder first.
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
    QTest::keyClick(m_window->List1(0), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(filters.value(0), QStringLiteral("Таблици (*.xlsx *.ods *.csv *.txt *.xml *.gift)"));
    ExpectExample();
}

void TableMenuTest::builtInTableComesBackAsAtStartUp() {
    const QStringList atStart = Seen(*m_window);
    const QString description = m_window->List1(0)->accessibleName();
    QVERIFY(m_window->OpenTable(kExample));
    QVERIFY(Seen(*m_window) != atStart);
    m_window->Tables()->Actions().at(1)->trigger();
    QCOMPARE(Seen(*m_window), atStart);
    QCOMPARE(m_window->List1(0)->accessibleName(), description);
}

void TableMenuTest::badFileIsToldAndChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fault");
    const QByteArray header = QByteArrayLiteral("селище;обект\r\n");
    QTest::newRow("missing") << QStringLiteral("няма.csv") << QByteArray()
                             << QStringLiteral("файлът не съществува");
    QTest::newRow("folder") << QStringLiteral("папка.csv") << QByteArray()
                            << QStringLiteral("това е папка, а не файл");
    QTest::newRow("empty") << QStringLiteral("празен.csv") << QByteArray("")
                           << QStringLiteral("файлът е празен");
    QTest::newRow("no_second_column")
        << QStringLiteral("колони.csv") << header + "а;б\r\n\r\nв;г\r\nд;е\r\nж;з\r\nи\r\n"
        << QStringLiteral("ред 7: няма втора колона");
    QTest::newRow("windows_1251_unclosed_quote")
        << QStringLiteral("кавички.csv")
        << QByteArray("\xF1\xE5\xEB\xE8\xF9\xE5;\xEE\n\"\xE0;\xE1\n")
        << QStringLiteral("ред 2: кавичките не са затворени");
    // A device is refused unread: this one would never end.
    const QFileInfo device(QStringLiteral("/dev/zero"));
    if (device.exists() && !device.isFile()) {
        QTest::newRow("device") << device.filePath() << QByteArray()
                                << QStringLiteral("това не е обикновен файл");
    }
    // A spreadsheet's file may be larger, up to 16 MiB, read to a byte past that at most.
    QTest::newRow("spreadsheet_too_large")
        << QStringLiteral("голяма.xlsx")
        << QByteArray("PK\x03\x04")
               .append(QByteArray(static_cast<qsizetype>(sheets::kMaxSpreadsheetBytes), '\0'))
        << QStringLiteral("файлът е по-голям от 16 MiB");
    QTest::newRow("excel_97") << QStringLiteral("стара.xls")
                              << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)
                              << QStringLiteral("файлът е във формата на Excel 97–2003: запишете "
                                                "го като .xlsx или .csv");
    QTest::newRow("gift_unclosed")
        << QStringLiteral("въпроси.gift")
        << QByteArray("// от Moodle\n::Реки::Свържете {\n=Искър -> Дунав\n")
        << QStringLiteral("ред 2: отговорите нямат затваряща скоба „}“");
    QTest::newRow("moodle_xml_broken")
        << QStringLiteral("въпроси.xml")
        << QByteArray("<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"matching\">\n</quiz>\n")
        << QStringLiteral("ред 4: файлът не е правилен XML: Start-end tags mismatch");
    QTest::newRow("too_large") << QStringLiteral("голям.csv")
                               << header +
                                      QByteArray(static_cast<qsizetype>(quiz::kMaxTextFileBytes),
                                                 '\n')
                               << QStringLiteral("файлът е по-голям от 1 MiB");
}

void TableMenuTest::badFileIsToldAndChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fault);
    QString path = QDir::isAbsolutePath(name) ? name : m_folder.filePath(name);
    if (name == QStringLiteral("папка.csv")) {
        QVERIFY(QDir(m_folder.path()).mkpath(name));
    } else if (!bytes.isNull()) {
        path = Write(name, bytes);
    }
    QVERIFY(m_window->OpenTable(kExample));
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Христо Ботев")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Ръж")));
    const QStringList before = Seen(*m_window);

    QVERIFY(!m_window->OpenTable(path));
    QMessageBox* message = m_window->Tables()->Message();
    QVERIFY(message != nullptr);
    QCOMPARE(message->text(), QStringLiteral("Таблицата от файла „%1“ не е отворена:\n%2.")
                                  .arg(QDir::toNativeSeparators(path), fault));
    QCOMPARE(Seen(*m_window), before);
}

void TableMenuTest::savesTheTableInPlay() {
    const QString path = m_folder.filePath(QStringLiteral("шаблон.csv"));
    QVERIFY(m_window->Tables()->Save(path));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), quiz::WriteTable(*quiz::BuiltInTable()));

    const QString nowhere = m_folder.filePath(QStringLiteral("няма/шаблон.csv"));
    QVERIFY(!m_window->Tables()->Save(nowhere));
    QVERIFY(m_window->Tables()->Message()->text().startsWith(
        QStringLiteral("Таблицата не е записана във файла „%1“:\n")
            .arg(QDir::toNativeSeparators(nowhere))));
}

// A name typed without ".csv" is saved with it, so the question is asked of that file.
void TableMenuTest::asksBeforeReplacingAFile() {
    const QString kept = Write(QStringLiteral("x.csv"), "keep");
    QString question;
    WhenShown([this, &question](QWidget* shown) {
        auto* dialog = qobject_cast<QFileDialog*>(shown);
        QVERIFY(dialog != nullptr);
        dialog->setDirectory(m_folder.path());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(QStringLiteral("x"));
        WhenShown([&question](QWidget* box) {
            if (const auto* message = qobject_cast<QMessageBox*>(box)) {
                question = message->text();
            }
        });
        // As the Save button does; closing the question answers no.
        static_cast<QDialog*>(dialog)->accept();
    });
    m_window->Tables()->Actions().at(2)->trigger();
    QVERIFY2(question.contains(QStringLiteral("x.csv")), qPrintable(question));
    QFile file(kept);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep"));
}

void TableMenuTest::reviewsAndPractisesAnOpenedTable() {
    const QString path =
        Write(QStringLiteral("реки.csv"),
              QByteArrayLiteral("река,влива се в\nИскър,Дунав\nМарица,Бяло море\n"));
    QVERIFY(m_window->OpenTable(path));
    QCOMPARE(m_window->Label1(0)->text(), QStringLiteral("реки"));
    QCOMPARE(m_window->Label1(2)->text(), QStringLiteral("Влива се в"));
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Искър")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Бяло море")));
    QCOMPARE(m_window->Text1(0)->toPlainText(),
             QStringLiteral("Грешно Искър влива се в Бяло море\n"));
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Марица")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Дунав")));
    window::ReviewDialog* review = m_window->Review();
    QVERIFY(review != nullptr);
    QCOMPARE(review->Missed()->count(), 2);
    QCOMPARE(review->Missed()->item(0)->text(), QStringLiteral("Искър – Дунав"));
    review->Practise()->click();
    QCOMPARE(m_window->List1(1)->model()->rowCount(), 2);
    QCOMPARE(m_window->Label1(1)->text(), QStringLiteral("Река"));

    // A table that comes while a review is open, as a dropped file can, ends that review.
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Искър")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Бяло море")));
    QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Марица")));
    QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Дунав")));
    QVERIFY(m_window->Review() != nullptr);
    QVERIFY(m_window->OpenTable(kExample));
    QVERIFY(m_window->Review() == nullptr);
    ExpectExample();
}

// The lists lay out every item at the first item's size; a long text further down must still
// be reachable. Mixed letters, as a sum of rounded widths per letter would fall short of them.
void TableMenuTest::longTextScrollsSideways() {
    const QString longText =
        QStringLiteral("Жълтата дюля, що бе паднала в шубрака, изгни. ").repeated(7).left(300);
    QVERIFY(m_window->OpenTable(
        Write(QStringLiteral("дълъг.csv"),
              QStringLiteral("ляво;дясно\nа;б\nя;%1\nю;я\n").arg(longText).toUtf8())));
    QListView* list = m_window->List1(1);
    QCOMPARE(list->model()->index(1, 0).data().toString(), longText);
    // The view lays its items out when it is next drawn.
    QTest::qWait(50);
    const int needed = list->fontMetrics().horizontalAdvance(longText);
    QVERIFY2(list->horizontalScrollBar()->maximum() + list->viewport()->width() >= needed,
             qPrintable(QStringLiteral("%1 px, scrolls %2 in %3")
                            .arg(needed)
                            .arg(list->horizontalScrollBar()->maximum())
                            .arg(list->viewport()->width())));
}

// A GIFT file from Moodle opens as a table of its matching pairs, named after the file, and
// what it had besides is told once the table is in play.
void TableMenuTest::opensMoodleQuestions() {
    const QString path = Write(QStringLiteral("Реки.gift"),
                               QByteArrayLiteral("::Реки::Свържете {\n"
                                                 "=Искър -> Дунав\n=Марица -> Бяло море\n}\n\n"
                                                 "::Дунав::Дунав се влива в Черно море.{T}\n"));
    QVERIFY(m_window->OpenTable(path));
    QCOMPARE(m_window->Label1(0)->text(), QStringLiteral("Реки"));
    QCOMPARE(m_window->Label1(1)->text(), QStringLiteral("Въпрос"));
    QCOMPARE(PairsOf(m_window->Quiz().Table()),
             QStringList({QStringLiteral("Искър | Дунав"), QStringLiteral("Марица | Бяло море")}));
    QMessageBox* message = m_window->Tables()->Message();
    QVERIFY(message != nullptr);
    QCOMPARE(message->icon(), QMessageBox::Information);
    QCOMPARE(message->text(),
             QStringLiteral("Таблицата от файла „%1“ е отворена: пропуснат 1 въпрос, който не е "
                            "за свързване.")
                 .arg(QDir::toNativeSeparators(path)));
}

// The built-in table out as Moodle XML and GIFT opens again with the same pairs and plays;
// as Anki's text it has Anki's header lines. A table too short for a matching question is
// told, and no file is written.
void TableMenuTest::exportsForMoodleAndAnki() {
    const QStringList builtIn = PairsOf(*quiz::BuiltInTable());
    for (const auto& [name, format] :
         {std::pair(QStringLiteral("обекти.xml"), ExportMenu::Format::MoodleXml),
          std::pair(QStringLiteral("обекти.gift"), ExportMenu::Format::Gift)}) {
        m_window->Tables()->Actions().at(1)->trigger();
        const QString path = m_folder.filePath(name);
        QVERIFY(m_window->Export()->Export(path, format));
        QVERIFY(m_window->OpenTable(path));
        QCOMPARE(m_window->Label1(0)->text(), QStringLiteral("обекти"));
        QCOMPARE(m_window->Label1(1)->text(), QStringLiteral("Селище"));
        QStringList read = PairsOf(m_window->Quiz().Table());
        // Moodle, and GIFT with it, trims the space after "Родопи ".
        if (format == ExportMenu::Format::Gift) {
            read.replaceInStrings(QStringLiteral("Родопи | "), QStringLiteral("Родопи  | "));
        }
        QCOMPARE(read, builtIn);
        QVERIFY(ClickItem(m_window->List1(0), QStringLiteral("Мелник")));
        QVERIFY(ClickItem(m_window->List1(1), QStringLiteral("Кордопулова къща")));
        QCOMPARE(m_window->Quiz().RightPairs(), 1);
    }
    const QString anki = m_folder.filePath(QStringLiteral("обекти.txt"));
    QVERIFY(m_window->Export()->Export(anki, ExportMenu::Format::Anki));
    QFile ankiFile(anki);
    QVERIFY(ankiFile.open(QIODevice::ReadOnly));
    QCOMPARE(ankiFile.readLine(), QByteArray("#separator:tab\n"));

    // From the menu, a name typed with a format's suffix says the format, whatever the filter.
    const std::tuple<const char*, int, ExportMenu::Format> named[] = {
        {"тест.gift", 0, ExportMenu::Format::Gift},
        {"тест.XML", 2, ExportMenu::Format::MoodleXml},
        {"тест.txt", 1, ExportMenu::Format::Anki},
        {"тест.csv", 1, ExportMenu::Format::Gift},
        {"тест", 2, ExportMenu::Format::Anki}};
    for (const auto& [name, filter, format] : named) {
        QCOMPARE(ExportMenu::FormatOf(QString::fromUtf8(name), filter), format);
    }

    QVERIFY(m_window->OpenTable(Write(QStringLiteral("две.csv"), "а;б\nв;г\nд;е\n")));
    const QString tooShort = m_folder.filePath(QStringLiteral("две.gift"));
    QVERIFY(!m_window->Export()->Export(tooShort, ExportMenu::Format::Gift));
    QVERIFY(!QFileInfo::exists(tooShort));
    QVERIFY(m_window->Export()->Message() != nullptr);
    QCOMPARE(m_window->Export()->Message()->text(),
             QStringLiteral("Таблицата не е изнесена във файла „%1“:\n%2.")
                 .arg(QDir::toNativeSeparators(tooShort),
                      QString::fromStdString(exchange::TooFewPairs())));
}

QTEST_MAIN(TableMenuTest)
#include "TableMenuTest.moc"
