#include "toolkit/ImageDescriptor.h"

#include <QPainter>

#include "toolkit/AttributeList.h"
#include "toolkit/PaintManager.h"

namespace {

// Splits "key='value' key2='value2'".
bool ParseQuotedPairs(const QString& text, ImageDescriptor& out) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (true) {
        while (i < n && text[i].isSpace()) ++i;
        if (i >= n) return true;
        const qsizetype keyStart = i;
        while (i < n && text[i] != u'=') ++i;
        if (i >= n) return false;
        const QString key = text.mid(keyStart, i - keyStart).trimmed();
        ++i;
        if (i >= n || text[i] != u'\'') return false;
        const qsizetype valueStart = ++i;
        while (i < n && text[i] != u'\'') ++i;
        if (i >= n) return false;
        const QString value = text.mid(valueStart, i - valueStart);
        ++i;
        if (key == u"file" || key == u"res") {
            out.file = value;
        } else if (key == u"source") {
            out.source = ParseCornerRect(value);
            if (!out.source) return false;
        } else if (key == u"dest") {
            out.dest = ParseCornerRect(value);
            if (!out.dest) return false;
        } else if (key == u"corner") {
            const auto edges = ParseEdges(value);
            if (!edges) return false;
            out.corner = *edges;
        } else if (key == u"fade") {
            const auto fade = ParseInt(value);
            if (!fade || *fade < 0 || *fade > 255) return false;
            out.fade = *fade;
        } else {
            return false;
        }
    }
}

QRectF Scaled(const QRect& r, qreal s) {
    return QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s);
}

void DrawNinePatch(QPainter& p, const QImage& img, const QRectF& src, const QRectF& dst,
                   const QMargins& c, qreal s) {
    const qreal sl = c.left() * s, st = c.top() * s, sr = c.right() * s, sb = c.bottom() * s;
    const qreal dl = c.left(), dt = c.top(), dr = c.right(), db = c.bottom();
    const qreal sx[4] = {src.left(), src.left() + sl, src.right() - sr, src.right()};
    const qreal sy[4] = {src.top(), src.top() + st, src.bottom() - sb, src.bottom()};
    const qreal dx[4] = {dst.left(), dst.left() + dl, dst.right() - dr, dst.right()};
    const qreal dy[4] = {dst.top(), dst.top() + dt, dst.bottom() - db, dst.bottom()};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF s2(QPointF(sx[col], sy[row]), QPointF(sx[col + 1], sy[row + 1]));
            const QRectF d2(QPointF(dx[col], dy[row]), QPointF(dx[col + 1], dy[row + 1]));
            if (s2.width() > 0 && s2.height() > 0 && d2.width() > 0 && d2.height() > 0)
                p.drawImage(d2, img, s2);
        }
    }
}

}  // namespace

std::optional<ImageDescriptor> ImageDescriptor::Parse(const QString& text) {
    ImageDescriptor d;
    if (!text.contains(u'\'')) {
        d.file = text.trimmed();
        return d;
    }
    if (!ParseQuotedPairs(text, d) || d.file.isEmpty()) return std::nullopt;
    return d;
}

bool DrawImage(QPainter& painter, CPaintManagerUI& manager, const ImageDescriptor& image,
               const QRect& rect, qreal opacity) {
    if (image.IsEmpty()) return true;
    const ScaledImage* scaled = manager.GetImage(image.file);
    if (!scaled) return false;
    const qreal s = scaled->scale;
    const QRectF src = image.source ? Scaled(*image.source, s)
                                    : QRectF(0, 0, scaled->image.width(), scaled->image.height());
    QRectF dst = rect;
    if (image.dest) dst = QRectF(image.dest->translated(rect.topLeft()));
    const qreal oldOpacity = painter.opacity();
    painter.setOpacity(oldOpacity * opacity * image.fade / 255.0);
    if (image.corner.isNull())
        painter.drawImage(dst, scaled->image, src);
    else
        DrawNinePatch(painter, scaled->image, src, dst, image.corner, s);
    painter.setOpacity(oldOpacity);
    return true;
}
