#pragma once
// Runs the build's skin_layout tool (tools/skinbuild) and reads its JSON answer, so that
// the tests hold what it reports against the windows themselves.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QProcess>
#include <QRect>
#include <QStringList>

inline QJsonValue AskSkinLayout(const QStringList& args) {
    QProcess tool;
    tool.start(QStringLiteral(MOVIRA_SKIN_LAYOUT), args);
    const bool finished = tool.waitForFinished(30000);
    EXPECT_TRUE(finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        << "skin_layout " << args.join(u' ').toStdString() << ": "
        << tool.readAllStandardError().toStdString();
    const QByteArray out = tool.readAllStandardOutput().trimmed();
    if (out == "null") return QJsonValue(QJsonValue::Null);
    return QJsonDocument::fromJson(out).object();
}

inline QRect RectOfJson(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
}
