// SPDX-License-Identifier: MIT
// Sends the outbox's statements to the school's learning record store, on the event loop.
#pragma once

#include "class/ClassSettings.h"

#include <QDateTime>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <Sending.h>
#include <Store.h>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace window {

class Progress;

// Takes the oldest waiting statements from the progress store, a batch at a time, and POSTs
// each batch to the LRS's statements resource; what the LRS takes is marked sent, in the
// store's order of writes. Never blocks: the reply comes back on the event loop. A fault waits
// and tries again (statements::Sending says how long); refused credentials or an untrusted
// certificate stop it until it is configured again, and say so once. With nothing
// configured it makes no network object at all.
class Sender final : public QObject {
    Q_OBJECT
public:
    // No answer within this is a fault, to be tried again.
    static constexpr int kTimeoutMs = 30'000;

    Sender(Progress& progress, QObject* parent);
    ~Sender() override;

    // Starts with these settings, or stops where they name no store or a wrong one.
    void Configure(const ClassConfig& config);
    // New statements wait in the store.
    void Wake();
    // What sending does now, in Bulgarian; empty when nothing is configured.
    [[nodiscard]] QString State() const { return m_state; }
    [[nodiscard]] bool Stopped() const { return m_stopped; }

    // A request to the LRS with its headers: the version, the credentials.
    [[nodiscard]] static QNetworkRequest Request(const ClassConfig& config, const QString& below);
    // Tries GET about, telling in Bulgarian what came back.
    void TryConnection(const ClassConfig& config, std::function<void(const QString&)> told);
    [[nodiscard]] QNetworkAccessManager& Network();
    // What a failed reply means, in Bulgarian.
    [[nodiscard]] static QString Failure(QNetworkReply* reply);

signals:
    void stateChanged();
    // The LRS refused the credentials or its certificate is not trusted: sending has stopped.
    void refused(const QString& why);

private:
    void Pump();
    void Fetched(std::vector<progress::OutboxStatement> waiting);
    void Answered(QNetworkReply* reply);
    void SetState(const QString& state);

    Progress& m_progress;
    ClassConfig m_config;
    bool m_active = false;
    bool m_stopped = false;
    bool m_fetching = false;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_wait;
    statements::Sending m_sending;
    QString m_state;
};

} // namespace window
