// SPDX-License-Identifier: MIT
#include "class/Sender.h"

#include "progress/Progress.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <Statements.h>
#include <string>
#include <vector>

namespace window {
namespace {

constexpr const char* kSending = "Изпраща към хранилището.";
constexpr const char* kAllSent = "Всичко е изпратено.";
constexpr const char* kWaitingRetry = "Хранилището не прие изпращането (%1). Нов опит след %2 с.";
constexpr const char* kRefusedCredentials =
    "Хранилището не прие ключа и тайната (HTTP %1). Изпращането е спряно; проверете настройките "
    "в „Клас…“.";
constexpr const char* kUntrusted =
    "Сертификатът на хранилището не е доверен (%1). Изпращането е спряно; ако училището има свой "
    "удостоверителен орган, посочете файла му в „Клас…“.";
constexpr const char* kNoAnswer = "хранилището не отговаря: %1";
constexpr const char* kHttpStatus = "HTTP %1";
constexpr const char* kAboutFine = "Хранилището отговаря: xAPI %1.";
constexpr const char* kAboutStatus = "Хранилището отговори с HTTP %1.";
constexpr const char* kAboutRefused = "Хранилището не прие ключа и тайната (HTTP %1).";
constexpr const char* kAboutFailed = "Няма връзка с хранилището: %1.";
constexpr const char* kAuthorityUnread = "файлът на удостоверителния орган „%1“ не се чете";
// A refused statement's answer is kept up to this many bytes.
constexpr qsizetype kLongestAnswer = 4000;
// What a batch's answer may be at most: an LRS answers a POST with the ids.
constexpr qint64 kLongestReply = 1 << 20;

QString Seconds(std::chrono::milliseconds wait) {
    return QString::number((wait.count() + 999) / 1000);
}

} // namespace

Sender::Sender(Progress& progress, QObject* parent) : QObject(parent), m_progress(progress) {
    m_wait.setSingleShot(true);
    connect(&m_wait, &QTimer::timeout, this, &Sender::Pump);
}

Sender::~Sender() {
    if (m_reply != nullptr) {
        m_reply->abort();
    }
}

QNetworkAccessManager& Sender::Network() {
    if (m_network == nullptr) {
        m_network = new QNetworkAccessManager(this);
    }
    return *m_network;
}

void Sender::Configure(const ClassConfig& config) {
    // A batch in flight is let go: its statements are not marked, and go again.
    m_active = false;
    m_wait.stop();
    if (m_reply != nullptr) {
        m_reply->abort();
    }
    m_config = config;
    m_stopped = false;
    m_active = config.Configured() && config.Fault().isEmpty();
    m_sending = statements::Sending();
    SetState(!config.Configured() ? QString() : m_active ? QString() : config.Fault());
    Pump();
}

void Sender::Wake() {
    if (!m_wait.isActive()) {
        Pump();
    }
}

QNetworkRequest Sender::Request(const ClassConfig& config, const QString& below) {
    QNetworkRequest request(config.Endpoint().resolved(QUrl(below)));
    request.setRawHeader("X-Experience-API-Version", "1.0.3");
    request.setRawHeader("Authorization",
                         "Basic " + (config.key + u':' + config.secret).toUtf8().toBase64());
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!config.authority.isEmpty() && QSslSocket::supportsSsl()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(config.authority, QSsl::Pem);
        request.setSslConfiguration(tls);
    }
    return request;
}

void Sender::Pump() {
    // Not before the store is open: its opening waits for no one's network.
    if (!m_active || m_stopped || m_reply != nullptr || m_wait.isActive() || !m_progress.Opened()) {
        return;
    }
    if (m_sending.Idle()) {
        // Read on the store's thread; sending goes on when they come.
        if (!m_fetching) {
            m_fetching = true;
            QPointer<Sender> sender = this;
            m_progress.FetchWaiting(statements::Sending::kBatch * 2,
                                    [sender](std::vector<progress::OutboxStatement> waiting) {
                                        if (sender != nullptr) {
                                            sender->Fetched(std::move(waiting));
                                        }
                                    });
        }
        return;
    }
    std::vector<std::string> batch;
    for (const statements::Waiting& waiting : m_sending.Batch()) {
        batch.push_back(waiting.statement);
    }
    QNetworkRequest request = Request(m_config, QStringLiteral("statements"));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    SetState(QString::fromUtf8(kSending));
    m_reply = Network().post(request, QByteArray::fromStdString(statements::JsonArray(batch)));
    QNetworkReply* reply = m_reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Answered(reply); });
}

void Sender::Fetched(std::vector<progress::OutboxStatement> waiting) {
    m_fetching = false;
    if (!m_active || m_stopped) {
        return;
    }
    std::vector<statements::Waiting> loaded;
    loaded.reserve(waiting.size());
    for (progress::OutboxStatement& statement : waiting) {
        loaded.push_back({statement.row, std::move(statement.id), std::move(statement.statement)});
    }
    m_sending.Load(loaded);
    if (m_sending.Idle()) {
        SetState(QString::fromUtf8(kAllSent));
        return;
    }
    Pump();
}

QString Sender::Failure(QNetworkReply* reply) {
    return QString::fromUtf8(kNoAnswer).arg(reply->errorString());
}

void Sender::Answered(QNetworkReply* reply) {
    reply->deleteLater();
    m_reply = nullptr;
    if (!m_active) {
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 0 && reply->error() == QNetworkReply::SslHandshakeFailedError) {
        m_stopped = true;
        SetState(QString::fromUtf8(kUntrusted).arg(reply->errorString()));
        emit refused(m_state);
        return;
    }
    const QByteArray answer = reply->read(kLongestReply);
    const auto retryAfter = statements::RetryAfter(reply->rawHeader("Retry-After").toStdString(),
                                                   QDateTime::currentMSecsSinceEpoch());
    const statements::Sending::Step step =
        m_sending.Answered(status, answer.left(kLongestAnswer).toStdString(), retryAfter);
    if (!step.sent.empty()) {
        m_progress.MarkSent(step.sent);
    }
    if (step.rejected != 0) {
        m_progress.MarkRefused(step.rejected, QString::fromUtf8(kHttpStatus)
                                                  .arg(status)
                                                  .append(QStringLiteral(": "))
                                                  .append(QString::fromStdString(step.answer))
                                                  .toStdString());
    }
    if (step.stop) {
        m_stopped = true;
        SetState(QString::fromUtf8(kRefusedCredentials).arg(status));
        emit refused(m_state);
        return;
    }
    if (step.wait) {
        const QString why =
            status == 0 ? Failure(reply) : QString::fromUtf8(kHttpStatus).arg(status);
        SetState(QString::fromUtf8(kWaitingRetry).arg(why, Seconds(*step.wait)));
        m_wait.start(*step.wait);
        return;
    }
    // The next batch once this turn of the event loop is over.
    QMetaObject::invokeMethod(this, &Sender::Pump, Qt::QueuedConnection);
}

void Sender::SetState(const QString& state) {
    if (state != m_state) {
        m_state = state;
        emit stateChanged();
    }
}

void Sender::TryConnection(const ClassConfig& config, std::function<void(const QString&)> told) {
    if (const QString fault = config.Fault(); !fault.isEmpty()) {
        told(fault);
        return;
    }
    if (!config.authority.isEmpty() && !QFile::exists(config.authority)) {
        told(QString::fromUtf8(kAboutFailed)
                 .arg(QString::fromUtf8(kAuthorityUnread).arg(config.authority)));
        return;
    }
    QNetworkReply* reply = Network().get(Request(config, QStringLiteral("about")));
    connect(reply, &QNetworkReply::finished, this, [reply, told = std::move(told)] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 0) {
            told(QString::fromUtf8(kAboutFailed).arg(reply->errorString()));
        } else if (status == 401 || status == 403) {
            told(QString::fromUtf8(kAboutRefused).arg(status));
        } else if (status == 200) {
            const QJsonArray versions = QJsonDocument::fromJson(reply->read(kLongestReply))
                                            .object()
                                            .value(QStringLiteral("version"))
                                            .toArray();
            QStringList named;
            for (const auto& version : versions) {
                named << version.toString();
            }
            told(QString::fromUtf8(kAboutFine).arg(named.join(QStringLiteral(", "))));
        } else {
            told(QString::fromUtf8(kAboutStatus).arg(status));
        }
    });
}

} // namespace window
