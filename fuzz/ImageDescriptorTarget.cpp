// Image attributes of a layout: a bare file name or "key='value'" pairs naming the file,
// source and destination rectangles, nine-patch corners and a fade. Whatever parses must
// describe an image that can be drawn, and writing it out again must give it back.

#include <QString>

#include "FuzzCheck.h"
#include "FuzzTargets.h"
#include "toolkit/ImageDescriptor.h"

namespace {

// The layout form of a rectangle is its two corners, the second one past the last pixel.
QString CornerForm(const QRect& rect) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.left())
        .arg(rect.top())
        .arg(qint64(rect.right()) + 1)
        .arg(qint64(rect.bottom()) + 1);
}

QString Written(const ImageDescriptor& image) {
    QString text = QStringLiteral("file='%1'").arg(image.file);
    if (image.source) text += QStringLiteral(" source='%1'").arg(CornerForm(*image.source));
    if (image.dest) text += QStringLiteral(" dest='%1'").arg(CornerForm(*image.dest));
    const QMargins& c = image.corner;
    text += QStringLiteral(" corner='%1,%2,%3,%4'")
                .arg(c.left())
                .arg(c.top())
                .arg(c.right())
                .arg(c.bottom());
    text += QStringLiteral(" fade='%1'").arg(image.fade);
    return text;
}

}  // namespace

void FuzzImageDescriptor(QByteArrayView data) {
    const QString text = QString::fromUtf8(data);
    const std::optional<ImageDescriptor> image = ImageDescriptor::Parse(text);
    if (!text.contains(u'\'')) {
        FUZZ_CHECK(image && image->file == text.trimmed() && !image->source && !image->dest &&
                       image->corner.isNull() && image->fade == 255,
                   "a bare name is not read as just a file");
        return;
    }
    if (!image) return;
    FUZZ_CHECK(!image->file.isEmpty(), "a descriptor without a file parsed");
    FUZZ_CHECK(image->fade >= 0 && image->fade <= 255, "a fade outside 0..255 parsed");
    const std::optional<ImageDescriptor> again = ImageDescriptor::Parse(Written(*image));
    FUZZ_CHECK(again && again->file == image->file && again->source == image->source &&
                   again->dest == image->dest && again->corner == image->corner &&
                   again->fade == image->fade,
               "a descriptor written out does not read back");
}
