// SPDX-License-Identifier: MIT
// "Клас…": where the school's learning record store is, a try of the connection, and what
// waits to be sent.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace window {

class ClassSettings;
struct ClassConfig;
class Progress;
class Sender;

class ClassDialog final : public QDialog {
    Q_OBJECT
public:
    ClassDialog(ClassSettings& settings, Sender& sender, Progress& progress, QWidget* parent);

    // The fields as a configuration.
    [[nodiscard]] ClassConfig Entered() const;
    // Brings the outbox's lines up to date.
    void ShowOutbox();

signals:
    // The settings are saved: the flow applies them.
    void saved();
    void exportAsked();

private:
    void Save();
    void ShowUnencrypted();

    ClassSettings& m_settings;
    Sender& m_sender;
    Progress& m_progress;
    QLineEdit* m_endpoint;
    QLabel* m_unencrypted;
    QLineEdit* m_key;
    QLineEdit* m_secret;
    QLineEdit* m_school;
    QLineEdit* m_authority;
    QCheckBox* m_allowHttp;
    QLabel* m_connection;
    QLabel* m_waiting;
    QLabel* m_state;
    QListWidget* m_refused;
};

} // namespace window
