// SPDX-License-Identifier: MIT
#include "class/ClassSettings.h"

#include <QSettings>

namespace window {
namespace {

constexpr const char* kNoScheme = "Адресът на хранилището трябва да започва с https://.";
constexpr const char* kHttpNotAllowed =
    "Адресът на хранилището е http:// (без шифроване), а това не е разрешено в настройките.";
constexpr const char* kBadAddress = "Адресът на хранилището „%1“ не е правилен.";

QString Value(const QSettings* policy, const QSettings& user, const char* key) {
    const QString name = QString::fromLatin1(key);
    if (policy != nullptr && policy->contains(name)) {
        return policy->value(name).toString();
    }
    return user.value(name).toString();
}

} // namespace

QUrl ClassConfig::Endpoint() const {
    QString text = endpoint.trimmed();
    if (!text.endsWith(u'/')) {
        text += u'/';
    }
    return {text, QUrl::StrictMode};
}

bool ClassConfig::Unencrypted() const {
    return Endpoint().scheme() == QStringLiteral("http");
}

QString ClassConfig::Fault() const {
    const QUrl url = Endpoint();
    if (!url.isValid() || url.host().isEmpty()) {
        return QString::fromUtf8(kBadAddress).arg(endpoint.trimmed());
    }
    if (url.scheme() == QStringLiteral("http")) {
        return allowHttp ? QString() : QString::fromUtf8(kHttpNotAllowed);
    }
    return url.scheme() == QStringLiteral("https") ? QString() : QString::fromUtf8(kNoScheme);
}

ClassSettings::ClassSettings()
    : ClassSettings(std::make_unique<QSettings>(QSettings::UserScope, QStringLiteral("Trevika"),
                                                QStringLiteral("Trevika")),
                    PolicySettings()) {}

ClassSettings::ClassSettings(std::unique_ptr<QSettings> user, std::unique_ptr<QSettings> policy)
    : m_user(std::move(user)), m_policy(std::move(policy)) {}

ClassSettings::~ClassSettings() = default;

ClassConfig ClassSettings::Config() const {
    using namespace classkeys;
    ClassConfig config;
    config.endpoint = Value(m_policy.get(), *m_user, kEndpoint);
    config.key = Value(m_policy.get(), *m_user, kKey);
    config.secret = Value(m_policy.get(), *m_user, kSecret);
    config.school = Value(m_policy.get(), *m_user, kSchool);
    config.authority = Value(m_policy.get(), *m_user, kAuthority);
    const QString http = Value(m_policy.get(), *m_user, kAllowHttp).toLower();
    config.allowHttp = http == QStringLiteral("true") || http == QStringLiteral("1");
    return config;
}

QSet<QString> ClassSettings::Fixed() const {
    QSet<QString> fixed;
    using namespace classkeys;
    for (const char* key : {kEndpoint, kKey, kSecret, kSchool, kAuthority, kAllowHttp}) {
        if (m_policy != nullptr && m_policy->contains(QString::fromLatin1(key))) {
            fixed.insert(QString::fromLatin1(key));
        }
    }
    return fixed;
}

bool ClassSettings::Save(const ClassConfig& config, QString* fault) {
    using namespace classkeys;
    const QSet<QString> fixed = Fixed();
    const auto set = [&](const char* key, const QVariant& value) {
        if (!fixed.contains(QString::fromLatin1(key))) {
            m_user->setValue(QString::fromLatin1(key), value);
        }
    };
    set(kEndpoint, config.endpoint.trimmed());
    set(kKey, config.key);
    set(kSecret, config.secret);
    set(kSchool, config.school.trimmed());
    set(kAuthority, config.authority);
    set(kAllowHttp, config.allowHttp);
    m_user->sync();
    if (m_user->status() != QSettings::NoError) {
        if (fault != nullptr) {
            *fault = m_user->fileName();
        }
        return false;
    }
    return true;
}

} // namespace window
