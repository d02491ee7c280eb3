// SPDX-License-Identifier: MIT
#include "class/ClassDialog.h"

#include "class/ClassSettings.h"
#include "class/Sender.h"
#include "progress/Progress.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace window {
namespace {

constexpr const char* kTitle = "Клас";
constexpr const char* kIntro =
    "Резултатите от всеки компютър отиват в хранилището за учебни записи (LRS) на училището. "
    "Без адрес нищо не се изпраща.";
constexpr const char* kEndpointLabel = "&Адрес на хранилището:";
constexpr const char* kUnencrypted = "(без шифроване)";
constexpr const char* kKeyLabel = "&Ключ:";
constexpr const char* kSecretLabel = "&Тайна:";
constexpr const char* kSchoolLabel = "Адрес на &училището:";
constexpr const char* kAuthorityLabel = "Удостоверителен &орган (PEM):";
constexpr const char* kAuthorityTitle = "Удостоверителен орган на училището";
constexpr const char* kAuthorityFilters = "Сертификати (*.pem *.crt)";
constexpr const char* kAllowHttpCaption = "Разреши адрес с http:// (без &шифроване)";
constexpr const char* kFixed = "Зададено от училището за всички компютри.";
constexpr const char* kTry = "&Провери връзката";
constexpr const char* kTrying = "Проверява…";
constexpr const char* kExport = "&Изнеси резултатите…";
constexpr const char* kWaiting = "Чакат за изпращане: %1. %2";
constexpr const char* kLastSent = "Последно изпратени: %1.";
constexpr const char* kNeverSent = "Нищо не е изпратено досега.";
constexpr const char* kRefusedLine = "%1 (%2): %3";
constexpr const char* kRefusedLabel = "Отказани от хранилището (пазят се, не се изпращат пак):";
constexpr const char* kNotSaved = "Настройките не са записани във файла „%1“.";

QString When(progress::TimeMs time) {
    return QDateTime::fromMSecsSinceEpoch(time).toLocalTime().toString(
        QStringLiteral("dd.MM.yyyy HH:mm"));
}

} // namespace

ClassDialog::ClassDialog(ClassSettings& settings, Sender& sender, Progress& progress,
                         QWidget* parent)
    : QDialog(parent), m_settings(settings), m_sender(sender), m_progress(progress),
      m_endpoint(new QLineEdit(this)), m_unencrypted(new QLabel(QString::fromUtf8(kUnencrypted))),
      m_key(new QLineEdit(this)), m_secret(new QLineEdit(this)), m_school(new QLineEdit(this)),
      m_authority(new QLineEdit(this)),
      m_allowHttp(new QCheckBox(QString::fromUtf8(kAllowHttpCaption))),
      m_connection(new QLabel(this)), m_waiting(new QLabel(this)), m_state(new QLabel(this)),
      m_refused(new QListWidget(this)) {
    setObjectName(QStringLiteral("ClassDialog"));
    setWindowTitle(QString::fromUtf8(kTitle));
    m_endpoint->setObjectName(QStringLiteral("Endpoint"));
    m_unencrypted->setObjectName(QStringLiteral("Unencrypted"));
    m_key->setObjectName(QStringLiteral("Key"));
    m_secret->setObjectName(QStringLiteral("Secret"));
    m_secret->setEchoMode(QLineEdit::Password);
    m_school->setObjectName(QStringLiteral("School"));
    m_school->setPlaceholderText(QStringLiteral("https://"));
    m_endpoint->setPlaceholderText(QStringLiteral("https://"));
    m_authority->setObjectName(QStringLiteral("Authority"));
    m_allowHttp->setObjectName(QStringLiteral("AllowHttp"));
    m_connection->setObjectName(QStringLiteral("ConnectionResult"));
    m_waiting->setObjectName(QStringLiteral("Waiting"));
    m_state->setObjectName(QStringLiteral("SendingState"));
    m_refused->setObjectName(QStringLiteral("Refused"));
    for (QLabel* label : {m_connection, m_waiting, m_state}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }

    const ClassConfig config = m_settings.Config();
    m_endpoint->setText(config.endpoint);
    m_key->setText(config.key);
    m_secret->setText(config.secret);
    m_school->setText(config.school);
    m_authority->setText(config.authority);
    m_allowHttp->setChecked(config.allowHttp);
    const QSet<QString> fixed = m_settings.Fixed();
    using namespace classkeys;
    const std::pair<const char*, QWidget*> fields[] = {
        {kEndpoint, m_endpoint},   {kKey, m_key},
        {kSecret, m_secret},       {kSchool, m_school},
        {kAuthority, m_authority}, {kAllowHttp, m_allowHttp}};
    for (const auto& [key, field] : fields) {
        if (fixed.contains(QString::fromLatin1(key))) {
            field->setEnabled(false);
            field->setToolTip(QString::fromUtf8(kFixed));
            field->setAccessibleDescription(QString::fromUtf8(kFixed));
        }
    }

    auto* intro = new QLabel(QString::fromUtf8(kIntro));
    intro->setWordWrap(true);
    auto* form = new QFormLayout;
    auto* endpointRow = new QHBoxLayout;
    endpointRow->addWidget(m_endpoint, 1);
    endpointRow->addWidget(m_unencrypted);
    form->addRow(QString::fromUtf8(kEndpointLabel), endpointRow);
    form->addRow(QString::fromUtf8(kKeyLabel), m_key);
    form->addRow(QString::fromUtf8(kSecretLabel), m_secret);
    form->addRow(QString::fromUtf8(kSchoolLabel), m_school);
    auto* authorityRow = new QHBoxLayout;
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("…"));
    browse->setAccessibleName(QString::fromUtf8(kAuthorityTitle));
    browse->setEnabled(m_authority->isEnabled());
    authorityRow->addWidget(m_authority, 1);
    authorityRow->addWidget(browse);
    form->addRow(QString::fromUtf8(kAuthorityLabel), authorityRow);
    form->addRow(QString(), m_allowHttp);
    // A label of a row that holds a layout names its first field.
    for (QLineEdit* field : {m_endpoint, m_authority}) {
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(
                field == m_endpoint ? static_cast<QLayout*>(endpointRow) : authorityRow))) {
            label->setBuddy(field);
        }
    }

    auto* tryButton = new QPushButton(QString::fromUtf8(kTry));
    tryButton->setObjectName(QStringLiteral("TryConnection"));
    auto* exportButton = new QPushButton(QString::fromUtf8(kExport));
    exportButton->setObjectName(QStringLiteral("ExportResults"));
    auto* actions = new QHBoxLayout;
    actions->addWidget(tryButton);
    actions->addWidget(exportButton);
    actions->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Close);
    auto* refusedLabel = new QLabel(QString::fromUtf8(kRefusedLabel));
    refusedLabel->setBuddy(m_refused);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addLayout(actions);
    layout->addWidget(m_connection);
    layout->addWidget(m_waiting);
    layout->addWidget(m_state);
    layout->addWidget(refusedLabel);
    layout->addWidget(m_refused);
    layout->addWidget(buttons);

    connect(m_endpoint, &QLineEdit::textChanged, this, &ClassDialog::ShowUnencrypted);
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString path =
            QFileDialog::getOpenFileName(this, QString::fromUtf8(kAuthorityTitle),
                                         m_authority->text(), QString::fromUtf8(kAuthorityFilters));
        if (!path.isEmpty()) {
            m_authority->setText(path);
        }
    });
    connect(tryButton, &QPushButton::clicked, this, [this] {
        m_connection->setText(QString::fromUtf8(kTrying));
        QPointer<QLabel> shown = m_connection;
        m_sender.TryConnection(Entered(), [shown](const QString& told) {
            if (shown != nullptr) {
                shown->setText(told);
            }
        });
    });
    connect(exportButton, &QPushButton::clicked, this, &ClassDialog::exportAsked);
    connect(buttons, &QDialogButtonBox::accepted, this, &ClassDialog::Save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_sender, &Sender::stateChanged, this, &ClassDialog::ShowOutbox);
    ShowUnencrypted();
    ShowOutbox();
}

ClassConfig ClassDialog::Entered() const {
    ClassConfig config;
    config.endpoint = m_endpoint->text().trimmed();
    config.key = m_key->text();
    config.secret = m_secret->text();
    config.school = m_school->text().trimmed();
    config.authority = m_authority->text().trimmed();
    config.allowHttp = m_allowHttp->isChecked();
    return config;
}

void ClassDialog::ShowUnencrypted() {
    m_unencrypted->setVisible(Entered().Configured() && Entered().Unencrypted());
}

void ClassDialog::ShowOutbox() {
    const progress::OutboxState outbox = m_progress.Outbox();
    m_waiting->setText(QString::fromUtf8(kWaiting).arg(
        QString::number(outbox.waiting),
        outbox.lastSent > 0 ? QString::fromUtf8(kLastSent).arg(When(outbox.lastSent))
                            : QString::fromUtf8(kNeverSent)));
    m_state->setText(m_sender.State());
    m_refused->clear();
    for (const progress::RefusedStatement& refused : outbox.refused) {
        m_refused->addItem(QString::fromUtf8(kRefusedLine)
                               .arg(QString::fromStdString(refused.id), When(refused.time),
                                    QString::fromStdString(refused.answer)));
    }
    m_refused->setVisible(!outbox.refused.empty());
}

void ClassDialog::Save() {
    QString fault;
    if (!m_settings.Save(Entered(), &fault)) {
        QMessageBox::warning(this, QString::fromUtf8(kTitle),
                             QString::fromUtf8(kNotSaved).arg(fault));
        return;
    }
    emit saved();
    ShowOutbox();
}

} // namespace window
