// SPDX-License-Identifier: MIT
// Where a school's learning record store is, and how to reach it: the learner's own settings,
// and over them the machine's policy, which the school's IT sets for every computer at once.
#pragma once

#include <QSet>
#include <QString>
#include <QUrl>
#include <memory>

class QSettings;

namespace window {

struct ClassConfig {
    QString endpoint;  // the LRS's xAPI address, such as https://lrs.school.bg/xAPI/
    QString key;       // HTTP Basic: the LRS's key
    QString secret;    // and its secret
    QString school;    // the school's address, the learners' accounts' homePage
    QString authority; // a PEM file with the school's own certificate authority, or empty
    bool allowHttp = false;

    // Whether anything is to be sent: an address is set.
    [[nodiscard]] bool Configured() const { return !endpoint.trimmed().isEmpty(); }
    // The address ending in "/", so that "statements" and "about" go below it.
    [[nodiscard]] QUrl Endpoint() const;
    // Empty when the address may be used; else why not, in Bulgarian.
    [[nodiscard]] QString Fault() const;
    [[nodiscard]] bool Unencrypted() const;
};

// The keys, as both settings files and the registry keep them.
namespace classkeys {
inline constexpr const char* kEndpoint = "Class/Endpoint";
inline constexpr const char* kKey = "Class/Key";
inline constexpr const char* kSecret = "Class/Secret";
inline constexpr const char* kSchool = "Class/School";
inline constexpr const char* kAuthority = "Class/Authority";
inline constexpr const char* kAllowHttp = "Class/AllowHttp";
} // namespace classkeys

// The learner's settings (QSettings' user scope, "Trevika"), and the policy: on Linux
// /etc/xdg/Trevika/Trevika.conf, on Windows HKLM\Software\Policies\Trevika. A value the policy
// sets holds, and is shown read-only.
class ClassSettings {
public:
    // The program's own; a test names its files.
    ClassSettings();
    ClassSettings(std::unique_ptr<QSettings> user, std::unique_ptr<QSettings> policy);
    ~ClassSettings();
    ClassSettings(const ClassSettings&) = delete;
    ClassSettings& operator=(const ClassSettings&) = delete;

    [[nodiscard]] ClassConfig Config() const;
    // The keys (classkeys) the policy sets.
    [[nodiscard]] QSet<QString> Fixed() const;
    // Saves what the policy does not set; false, with the reason, when it cannot be written.
    bool Save(const ClassConfig& config, QString* fault);

private:
    std::unique_ptr<QSettings> m_user;
    std::unique_ptr<QSettings> m_policy;
};

// The machine's policy, as the platform keeps it (ClassPolicyPosix.cpp, ClassPolicyWindows.cpp).
[[nodiscard]] std::unique_ptr<QSettings> PolicySettings();

} // namespace window
