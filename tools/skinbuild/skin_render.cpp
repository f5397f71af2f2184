// Renders the skin's images at build time.
//
//   skin_render icon SVG PREFIX SIZE [--color C] [--plate C --plate-inset N --plate-radius N]
//       PREFIX.png, PREFIX@125.png and PREFIX@150.png: SIZE pixels square and its 125 % and
//       150 % scalings, for the toolkit to pick by the display's scale.
//   skin_render image SVG OUTPUT [--color C] [--size N]
//       one image at the source's own size, for images the toolkit stretches itself, or N
//       pixels square, for the application icon the desktop shows at each of its sizes.
//   skin_render shadow OUTPUT SIZE SPREAD OPACITY
//       the window shadow.
//   skin_render ico SVG OUTPUT
//       a Windows icon file holding the image at each size the Windows shell shows a
//       program's icon at, for the executable's icon resource.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <array>
#include <cstdio>
#include <optional>

#include "IcoWriter.h"
#include "IconRenderer.h"
#include "ShadowPainter.h"

namespace {

struct Scale {
    int percent;
    const char* suffix;
};
constexpr std::array<Scale, 3> kScales{{{100, ""}, {125, "@125"}, {150, "@150"}}};

// Small icons at 100 % to 250 % display scale, the 32- and 48-pixel icons of Explorer's
// views, and the big tiles.
constexpr std::array<int, 8> kIcoSides{16, 20, 24, 32, 40, 48, 64, 256};

int Fail(const QString& message) {
    std::fprintf(stderr, "skin_render: %s\n", qPrintable(message));
    return 1;
}

bool Save(const QImage& image, const QString& path, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (image.isNull() || !image.save(path, "PNG")) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

std::optional<QColor> ColourOption(const QCommandLineParser& parser, const QString& name,
                                   QString* error) {
    if (!parser.isSet(name)) return std::nullopt;
    const QColor colour = QColor::fromString(parser.value(name));
    if (!colour.isValid()) *error = QStringLiteral("bad colour for --%1").arg(name);
    return colour;
}

int RenderIcon(const QCommandLineParser& parser, const QStringList& args) {
    if (args.size() != 4) return Fail(QStringLiteral("icon needs SVG PREFIX SIZE"));
    bool ok = false;
    const int base = args[3].toInt(&ok);
    if (!ok || base <= 0) return Fail(QStringLiteral("bad size %1").arg(args[3]));

    QString error;
    const std::optional<QColor> glyph = ColourOption(parser, QStringLiteral("color"), &error);
    const std::optional<QColor> plateColour = ColourOption(parser, QStringLiteral("plate"), &error);
    if (!error.isEmpty()) return Fail(error);
    std::optional<IconRenderer::Plate> plate;
    if (plateColour) {
        plate = IconRenderer::Plate{*plateColour,
                                    parser.value(QStringLiteral("plate-inset")).toDouble(),
                                    parser.value(QStringLiteral("plate-radius")).toDouble()};
    }

    IconRenderer renderer;
    if (!renderer.Load(args[1], &error)) return Fail(error);
    for (const Scale& scale : kScales) {
        // Half pixels round up: 30 px at 125 % is 38 px.
        const int side = (base * scale.percent + 50) / 100;
        const QString path = args[2] + QLatin1String(scale.suffix) + QStringLiteral(".png");
        if (!Save(renderer.Render(QSize(side, side), glyph, plate), path, &error))
            return Fail(error);
    }
    return 0;
}

int RenderImage(const QCommandLineParser& parser, const QStringList& args) {
    if (args.size() != 3) return Fail(QStringLiteral("image needs SVG OUTPUT"));
    QString error;
    const std::optional<QColor> glyph = ColourOption(parser, QStringLiteral("color"), &error);
    if (!error.isEmpty()) return Fail(error);
    IconRenderer renderer;
    if (!renderer.Load(args[1], &error)) return Fail(error);
    QSize size = renderer.NaturalSize();
    if (parser.isSet(QStringLiteral("size"))) {
        bool ok = false;
        const int side = parser.value(QStringLiteral("size")).toInt(&ok);
        if (!ok || side <= 0) return Fail(QStringLiteral("bad size for --size"));
        size = QSize(side, side);
    }
    if (!Save(renderer.Render(size, glyph, std::nullopt), args[2], &error)) return Fail(error);
    return 0;
}

int RenderShadow(const QStringList& args) {
    if (args.size() != 5) return Fail(QStringLiteral("shadow needs OUTPUT SIZE SPREAD OPACITY"));
    bool sizeOk = false, spreadOk = false, opacityOk = false;
    const int size = args[2].toInt(&sizeOk);
    const int spread = args[3].toInt(&spreadOk);
    const double opacity = args[4].toDouble(&opacityOk);
    if (!sizeOk || !spreadOk || !opacityOk || size <= 0 || spread < 0 || 2 * spread > size)
        return Fail(QStringLiteral("bad shadow geometry"));
    QString error;
    if (!Save(ShadowPainter(size, spread, opacity).Paint(), args[1], &error)) return Fail(error);
    return 0;
}

int RenderIco(const QStringList& args) {
    if (args.size() != 3) return Fail(QStringLiteral("ico needs SVG OUTPUT"));
    QString error;
    IconRenderer renderer;
    if (!renderer.Load(args[1], &error)) return Fail(error);
    IcoWriter writer;
    for (const int side : kIcoSides) {
        if (!writer.Add(renderer.Render(QSize(side, side), std::nullopt, std::nullopt)))
            return Fail(writer.ErrorString());
    }
    QDir().mkpath(QFileInfo(args[2]).absolutePath());
    QSaveFile file(args[2]);
    if (!file.open(QIODevice::WriteOnly) || file.write(*writer.Bytes()) < 0 || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(args[2], file.errorString()));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("color"), QStringLiteral("Colour of currentColor."),
         QStringLiteral("colour")},
        {QStringLiteral("plate"), QStringLiteral("Colour of a rounded plate behind the glyph."),
         QStringLiteral("colour")},
        {QStringLiteral("plate-inset"), QStringLiteral("Plate inset, icon units."),
         QStringLiteral("n"), QStringLiteral("0")},
        {QStringLiteral("plate-radius"), QStringLiteral("Plate corner radius, icon units."),
         QStringLiteral("n"), QStringLiteral("0")},
        {QStringLiteral("size"), QStringLiteral("Side of a square image, pixels."),
         QStringLiteral("n")},
    });
    parser.addPositionalArgument(QStringLiteral("mode"),
                                 QStringLiteral("icon, image, shadow or ico"));
    if (!parser.parse(app.arguments())) return Fail(parser.errorText());

    const QStringList args = parser.positionalArguments();
    const QString mode = args.value(0);
    if (mode == QLatin1String("icon")) return RenderIcon(parser, args);
    if (mode == QLatin1String("image")) return RenderImage(parser, args);
    if (mode == QLatin1String("shadow")) return RenderShadow(args);
    if (mode == QLatin1String("ico")) return RenderIco(args);
    return Fail(QStringLiteral("unknown mode '%1'").arg(mode));
}
