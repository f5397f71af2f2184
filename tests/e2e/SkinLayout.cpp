#include "SkinLayout.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <map>
#include <tuple>

namespace e2e::skin {
namespace {

QRect RectOf(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return a.size() == 4 ? QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()) : QRect();
}

QSize SizeOf(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return a.size() == 2 ? QSize(a[0].toInt(), a[1].toInt()) : QSize();
}

QMargins MarginsOf(const QJsonValue& value) {
    const QRect r = RectOf(value);
    return {r.x(), r.y(), r.width(), r.height()};
}

QHash<QString, QRect> RectsOf(const QJsonObject& object) {
    QHash<QString, QRect> rects;
    for (auto it = object.begin(); it != object.end(); ++it) rects.insert(it.key(), RectOf(*it));
    return rects;
}

LayoutDump Ask(const QString& file, QSize size, const QString& shown) {
    QStringList args{QStringLiteral("rects"), file};
    if (!size.isEmpty()) args << QString::number(size.width()) << QString::number(size.height());
    if (!shown.isEmpty()) args << QStringLiteral("--show") << shown;
    QProcess tool;
    tool.start(QStringLiteral(MOVIRA_SKIN_LAYOUT), args);
    LayoutDump dump;
    if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        ADD_FAILURE() << "skin_layout " << args.join(u' ').toStdString()
                      << " failed: " << tool.readAllStandardError().toStdString();
        return dump;
    }
    const QJsonObject json = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    const QJsonObject window = json.value(QStringLiteral("window")).toObject();
    dump.size = SizeOf(json.value(QStringLiteral("size")));
    dump.ownSize = SizeOf(window.value(QStringLiteral("size")));
    dump.minimum = SizeOf(window.value(QStringLiteral("mininfo")));
    dump.sizeBox = MarginsOf(window.value(QStringLiteral("sizebox")));
    dump.caption = MarginsOf(window.value(QStringLiteral("caption")));
    dump.controls = RectsOf(json.value(QStringLiteral("controls")).toObject());
    dump.texts = RectsOf(json.value(QStringLiteral("texts")).toObject());
    const QJsonObject thumbs = json.value(QStringLiteral("thumbs")).toObject();
    for (auto it = thumbs.begin(); it != thumbs.end(); ++it)
        dump.thumbs.insert(it.key(), SizeOf(*it));
    EXPECT_FALSE(dump.controls.isEmpty())
        << "skin_layout reports no control for " << file.toStdString();
    return dump;
}

}  // namespace

QRect LayoutDump::operator[](const QString& name) const {
    const auto it = controls.constFind(name);
    if (it != controls.constEnd()) return *it;
    ADD_FAILURE() << "the layout dump has no control " << name.toStdString();
    return {};
}

QRect LayoutDump::text(const QString& shownText) const {
    const auto it = texts.constFind(shownText);
    if (it != texts.constEnd()) return *it;
    ADD_FAILURE() << "the layout dump has no control showing " << shownText.toStdString();
    return {};
}

const LayoutDump& layout(const QString& file, QSize size, const QString& shown) {
    // Node-based, so a reference handed out stays valid as more sizes are asked for.
    static std::map<std::tuple<QString, int, int, QString>, LayoutDump> dumps;
    const auto key = std::make_tuple(file, size.width(), size.height(), shown);
    auto it = dumps.find(key);
    if (it == dumps.end()) it = dumps.emplace(key, Ask(file, size, shown)).first;
    return it->second;
}

}  // namespace e2e::skin
