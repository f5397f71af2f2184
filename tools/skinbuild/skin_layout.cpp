// Answers the harnesses and tests where the program's windows put their parts, from the
// skin package compiled into it and the toolkit's own layout code, on Qt's offscreen
// platform.
//
//   skin_layout rects LAYOUT [WIDTH HEIGHT] [--scale S] [--show NAME,...]
//       JSON: every visible named control's rectangle (x, y, w, h) in window coordinates for
//       a window of WIDTH x HEIGHT device pixels (the layout's own size if left out), those
//       of the unnamed ones with a text by their text, and the window attributes of the
//       layout (size, mininfo, sizebox, caption); LayoutDump.h has the format. --show first
//       shows controls the layout hides, as the program does at run time.
//   skin_layout fit VIDEO_W VIDEO_H AREA_X AREA_Y AREA_W AREA_H SCALE
//       JSON: where the main window goes when a video of that size loads on that work area
//       at that scale, {"x", "y", "w", "h"}, or null for no video; the bars' height is the
//       main layout's.

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRect>
#include <array>
#include <cstdio>
#include <optional>

#include "LayoutDump.h"
#include "skin/SkinPackage.h"
#include "toolkit/Dpi.h"
#include "toolkit/PaintManager.h"
#include "ui/FitGeometry.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "skin_layout: %s\n", qPrintable(message));
    return 1;
}

void Print(const QJsonValue& value) {
    const QByteArray text = value.isObject()
                                ? QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact)
                                : QByteArray("null");
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
}

std::optional<qint64> Number(const QString& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

int Rects(QStringList args) {
    LayoutDumpRequest request;
    for (qsizetype i = 0; i < args.size();) {
        if ((args[i] == u"--scale" || args[i] == u"--show") && i + 1 < args.size()) {
            if (args[i] == u"--scale") {
                bool ok = false;
                request.scale = args[i + 1].toDouble(&ok);
                if (!ok || !(request.scale > 0)) return Fail(QStringLiteral("bad scale"));
            } else {
                request.shown += args[i + 1].split(u',', Qt::SkipEmptyParts);
            }
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    if (args.size() != 1 && args.size() != 3)
        return Fail(QStringLiteral("rects needs LAYOUT [WIDTH HEIGHT]"));
    request.file = args[0];
    if (args.size() == 3) {
        const auto w = Number(args[1]);
        const auto h = Number(args[2]);
        if (!w || !h || *w <= 0 || *h <= 0 || *w > 100000 || *h > 100000)
            return Fail(QStringLiteral("bad size %1 x %2").arg(args[1], args[2]));
        request.size = QSize(static_cast<int>(*w), static_cast<int>(*h));
    }
    QString error;
    const std::optional<QJsonObject> dump = DumpLayout(request, &error);
    if (!dump) return Fail(error);
    Print(*dump);
    return 0;
}

int Fit(const QStringList& args) {
    if (args.size() != 7)
        return Fail(QStringLiteral("fit needs VIDEO_W VIDEO_H AREA_X AREA_Y AREA_W AREA_H SCALE"));
    std::array<qint64, 6> n{};
    for (std::size_t i = 0; i < n.size(); ++i) {
        const QString& text = args[static_cast<qsizetype>(i)];
        const auto value = Number(text);
        if (!value) return Fail(QStringLiteral("bad number %1").arg(text));
        n[i] = *value;
    }
    bool ok = false;
    const float scale = args[6].toFloat(&ok);
    if (!ok) return Fail(QStringLiteral("bad scale %1").arg(args[6]));
    QString error;
    const std::optional<int> bars = MainBarsHeight(&error);
    if (!bars) return Fail(error);
    // As the window adds its bars: the layout's heights at its display's scale.
    const int barsHeight = CDPI::ToDevice(*bars, scale);
    const QRect area(static_cast<int>(n[2]), static_cast<int>(n[3]), static_cast<int>(n[4]),
                     static_cast<int>(n[5]));
    const std::optional<QRect> rect = FitWindowRect(n[0], n[1], scale, area, barsHeight);
    if (!rect) {
        Print(QJsonValue());
        return 0;
    }
    QJsonObject answer;
    answer.insert(QStringLiteral("x"), rect->x());
    answer.insert(QStringLiteral("y"), rect->y());
    answer.insert(QStringLiteral("w"), rect->width());
    answer.insert(QStringLiteral("h"), rect->height());
    Print(answer);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return Fail(QStringLiteral("usage: skin_layout rects|fit ..."));
    const QString command = args.takeFirst();
    const SkinPackageBlob skin = EmbeddedSkinPackage();
    if (!CPaintManagerUI::SetResourceZip(skin.data, skin.size))
        return Fail(QStringLiteral("the embedded skin package does not open"));
    if (command == u"rects") return Rects(args);
    if (command == u"fit") return Fit(args);
    return Fail(QStringLiteral("unknown command %1").arg(command));
}
