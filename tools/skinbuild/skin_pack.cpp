// Packs the skin into one zip archive and writes the C++ source that embeds it.
//
//   skin_pack MANIFEST ZIP SOURCE
//
// MANIFEST has one member a line: its name in the archive, a tab, the file to read. PNG
// images are stored as they are (deflating them again gains nothing); everything else is
// deflated.

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

#include "EmbeddedSourceWriter.h"
#include "ZipPacker.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "skin_pack: %s\n", qPrintable(message));
    return 1;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    // Written whole or not at all, so an interrupted build never leaves half an archive.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) return Fail(QStringLiteral("usage: skin_pack MANIFEST ZIP SOURCE"));

    QFile manifest(args[1]);
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return Fail(QStringLiteral("cannot read %1").arg(args[1]));

    ZipPacker packer;
    int members = 0;
    while (!manifest.atEnd()) {
        const QString line = QString::fromUtf8(manifest.readLine()).trimmed();
        if (line.isEmpty()) continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 2) return Fail(QStringLiteral("bad manifest line: %1").arg(line));
        QFile input(fields[1]);
        if (!input.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1: %2").arg(fields[1], input.errorString()));
        const bool isPng = fields[0].endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
        if (!packer.Add(fields[0], input.readAll(),
                        isPng ? ZipPacker::Method::Store : ZipPacker::Method::Deflate))
            return Fail(packer.ErrorString());
        ++members;
    }
    if (members == 0) return Fail(QStringLiteral("the manifest lists no files"));

    const std::optional<QByteArray> archive = packer.Finish();
    if (!archive) return Fail(packer.ErrorString());
    if (!WriteFile(args[2], *archive)) return Fail(QStringLiteral("cannot write %1").arg(args[2]));

    const EmbeddedSourceWriter writer(QStringLiteral("skin/SkinPackage.h"),
                                      QStringLiteral("EmbeddedSkinPackage"));
    if (!WriteFile(args[3], writer.Write(*archive)))
        return Fail(QStringLiteral("cannot write %1").arg(args[3]));
    return 0;
}
