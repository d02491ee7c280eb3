// SPDX-License-Identifier: MIT
#include "class/StatementReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <Statements.h>

namespace window {
namespace {

constexpr const char* kTooLong = "„%1“ е по-дълъг от %2 MB.";
constexpr const char* kNotJson = "„%1“, ред %2: не е JSON (%3).";
constexpr const char* kNotStatements = "„%1“ не е списък от изявления xAPI.";
constexpr const char* kTooMany = "„%1“: изявленията са повече от %2.";

QString Text(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString();
}

std::string Std(const QString& text) {
    return text.toStdString();
}

// The statement as the figures need it; false for one that is not of this program's form.
bool RecordOf(const QJsonObject& statement, statements::Record* record) {
    const QString verb = Text(statement.value(QStringLiteral("verb")).toObject(), "id");
    const QJsonObject object = statement.value(QStringLiteral("object")).toObject();
    const QJsonObject context = statement.value(QStringLiteral("context")).toObject();
    const QJsonObject result = statement.value(QStringLiteral("result")).toObject();
    const QJsonObject account = statement.value(QStringLiteral("actor"))
                                    .toObject()
                                    .value(QStringLiteral("account"))
                                    .toObject();
    const auto time = statements::ParseTimestamp(Std(Text(statement, "timestamp")));
    if (Text(statement, "id").isEmpty() || Text(account, "name").isEmpty() || !time) {
        return false;
    }
    record->id = Std(Text(statement, "id").toLower());
    record->learner = Std(Text(account, "name"));
    record->round = Std(Text(context, "registration").toLower());
    record->success = result.value(QStringLiteral("success")).toBool();
    record->time = *time;
    if (verb == QLatin1String(statements::kAnswered)) {
        const QJsonArray parents = context.value(QStringLiteral("contextActivities"))
                                       .toObject()
                                       .value(QStringLiteral("parent"))
                                       .toArray();
        record->verb = statements::Record::Verb::kAnswered;
        record->table = Std(Text(parents.at(0).toObject(), "id"));
        record->pair = Std(Text(object, "id"));
        record->pairName = Std(Text(object.value(QStringLiteral("definition"))
                                        .toObject()
                                        .value(QStringLiteral("name"))
                                        .toObject(),
                                    statements::kLanguage));
        return !record->table.empty() && !record->pair.empty();
    }
    if (verb == QLatin1String(statements::kCompleted)) {
        record->verb = statements::Record::Verb::kCompleted;
        record->table = Std(Text(object, "id"));
        return !record->table.empty();
    }
    return false;
}

} // namespace

ReadStatements ReadStatementsFrom(const QByteArray& json, const QString& source, std::size_t room) {
    ReadStatements read;
    if (json.size() > kLongestStatements) {
        read.fault = QString::fromUtf8(kTooLong).arg(source).arg(kLongestStatements >> 20);
        return read;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const auto line = json.left(error.offset).count('\n') + 1;
        read.fault = QString::fromUtf8(kNotJson).arg(source).arg(line).arg(error.errorString());
        return read;
    }
    QJsonArray all;
    if (document.isArray()) {
        all = document.array();
    } else if (document.object().value(QStringLiteral("statements")).isArray()) {
        all = document.object().value(QStringLiteral("statements")).toArray();
        read.more = Text(document.object(), "more");
    } else {
        read.fault = QString::fromUtf8(kNotStatements).arg(source);
        return read;
    }
    if (static_cast<std::size_t>(all.size()) > room) {
        read.fault = QString::fromUtf8(kTooMany).arg(source).arg(kMostStatements);
        return read;
    }
    for (const auto& value : all) {
        statements::Record record;
        if (value.isObject() && RecordOf(value.toObject(), &record)) {
            read.records.push_back(std::move(record));
        }
    }
    return read;
}

} // namespace window
