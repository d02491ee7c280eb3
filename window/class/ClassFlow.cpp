// SPDX-License-Identifier: MIT
#include "class/ClassFlow.h"

#include "app/ActionGuard.h"
#include "class/ClassDialog.h"
#include "class/ClassView.h"
#include "class/Sender.h"
#include "progress/Progress.h"
#include "tables/TableFileReader.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <Statements.h>

namespace window {
namespace {

constexpr const char* kSettingsCaption = "Клас…";
constexpr const char* kExportCaption = "Изнеси резултатите…";
constexpr const char* kViewCaption = "Резултати на класа…";
constexpr const char* kTitle = "Клас";
constexpr const char* kWhoseTitle = "Изнеси резултатите";
constexpr const char* kWhoseLabel = "Чии резултати:";
constexpr const char* kEveryLearner = "всички ученици на този компютър";
constexpr const char* kFileTitle = "Изнеси резултатите като JSON";
constexpr const char* kFileFilters = "Изявления xAPI (*.json)";
constexpr const char* kFileName = "Резултати - %1.json";
constexpr const char* kAllName = "всички";
constexpr const char* kNotWritten = "Резултатите не са записани във файла „%1“: %2";
constexpr const char* kNoProgressRead = "напредъкът не може да се прочете";

} // namespace

ClassFlow::ClassFlow(QWidget* window, Progress& progress, ActionGuard& guard,
                     std::unique_ptr<ClassSettings> settings)
    : QObject(window), m_window(window), m_progress(progress), m_guard(guard),
      m_settings(std::move(settings)), m_sender(new Sender(progress, this)),
      m_settingsAction(new QAction(QString::fromUtf8(kSettingsCaption), this)),
      m_export(new QAction(QString::fromUtf8(kExportCaption), this)),
      m_view(new QAction(QString::fromUtf8(kViewCaption), this)) {
    m_settingsAction->setObjectName(QStringLiteral("ClassAction"));
    m_export->setObjectName(QStringLiteral("ExportResultsAction"));
    m_view->setObjectName(QStringLiteral("ClassViewAction"));
    connect(m_settingsAction, &QAction::triggered, this, m_guard.Guarded([this] { ShowDialog(); }));
    connect(m_export, &QAction::triggered, this, m_guard.Guarded([this] { AskExport(); }));
    connect(m_view, &QAction::triggered, this, m_guard.Guarded([this] { ShowView(); }));
    connect(&m_progress, &Progress::statementsRecorded, m_sender, &Sender::Wake);
    connect(&m_progress, &Progress::storeOpened, m_sender, &Sender::Wake);
    connect(m_sender, &Sender::refused, this, [this](const QString& why) {
        if (!m_toldRefusal) {
            m_toldRefusal = true;
            Tell(why);
        }
    });
    Configure();
}

ClassFlow::~ClassFlow() = default;

void ClassFlow::UseSettings(std::unique_ptr<ClassSettings> settings) {
    m_settings = std::move(settings);
    Configure();
}

void ClassFlow::Configure() {
    const ClassConfig config = m_settings->Config();
    m_progress.SetSchool(config.school.trimmed());
    m_toldRefusal = false;
    m_sender->Configure(config);
}

void ClassFlow::ShowDialog() {
    if (m_dialog != nullptr) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new ClassDialog(*m_settings, *m_sender, m_progress, m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog, &ClassDialog::saved, this, m_guard.Guarded([this] { Configure(); }));
    connect(m_dialog, &ClassDialog::exportAsked, this, m_guard.Guarded([this] { AskExport(); }));
    m_dialog->open();
}

void ClassFlow::AskExport() {
    QWidget* parent = m_dialog != nullptr ? static_cast<QWidget*>(m_dialog) : m_window;
    QStringList choices(QString::fromUtf8(kEveryLearner));
    choices << m_progress.Learners();
    bool chosen = false;
    const QString whose = QInputDialog::getItem(
        parent, QString::fromUtf8(kWhoseTitle), QString::fromUtf8(kWhoseLabel), choices,
        static_cast<int>(choices.indexOf(m_progress.Learner())), false, &chosen);
    if (!chosen) {
        return;
    }
    const QString learner = whose == choices.first() ? QString() : whose;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name =
        QString::fromUtf8(kFileName).arg(learner.isEmpty() ? QString::fromUtf8(kAllName) : learner);
    const QString path =
        QFileDialog::getSaveFileName(parent, QString::fromUtf8(kFileTitle), folder + u'/' + name,
                                     QString::fromUtf8(kFileFilters));
    if (!path.isEmpty()) {
        ExportResults(learner, path);
    }
}

bool ClassFlow::ExportResults(const QString& learner, const QString& path) {
    // An empty file from a store that cannot be read would say there were no results.
    if (!m_progress.Readable()) {
        Tell(QString::fromUtf8(kNotWritten)
                 .arg(QDir::toNativeSeparators(path), QString::fromUtf8(kNoProgressRead)));
        return false;
    }
    const QString error =
        TableFileReader::WriteWhole(path, statements::JsonArray(m_progress.Statements(learner)));
    if (!error.isEmpty()) {
        Tell(QString::fromUtf8(kNotWritten).arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    return true;
}

void ClassFlow::ShowView() {
    if (m_classView != nullptr) {
        m_classView->raise();
        m_classView->activateWindow();
        return;
    }
    m_classView = new ClassView(m_settings->Config(), m_progress, *m_sender, m_guard, m_window);
    m_classView->setAttribute(Qt::WA_DeleteOnClose);
    m_classView->open();
}

ClassDialog* ClassFlow::Dialog() const {
    return m_dialog;
}

ClassView* ClassFlow::View() const {
    return m_classView;
}

QMessageBox* ClassFlow::Message() const {
    return m_message;
}

void ClassFlow::Tell(const QString& text) {
    if (m_message != nullptr) {
        m_message->close();
    }
    QWidget* parent = m_dialog != nullptr ? static_cast<QWidget*>(m_dialog) : m_window;
    m_message = new QMessageBox(QMessageBox::Warning, QString::fromUtf8(kTitle), text,
                                QMessageBox::Ok, parent);
    m_message->setObjectName(QStringLiteral("ClassMessage"));
    m_message->setAttribute(Qt::WA_DeleteOnClose);
    m_message->open();
}

} // namespace window
