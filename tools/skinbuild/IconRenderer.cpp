#include "IconRenderer.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

bool IconRenderer::Load(const QString& svgPath, QString* error) {
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(svgPath, file.errorString());
        return false;
    }
    const QByteArray source = file.readAll();
    // Parse once here so that a broken source fails the build with its file name instead of
    // producing blank images.
    QSvgRenderer probe(source);
    if (!probe.isValid()) {
        *error = QStringLiteral("%1 is not a valid SVG image").arg(svgPath);
        return false;
    }
    const QRectF box = probe.viewBoxF();
    m_naturalSize = box.isEmpty() ? probe.defaultSize() : box.size().toSize();
    m_source = source;
    return true;
}

QSize IconRenderer::NaturalSize() const { return m_naturalSize; }

QImage IconRenderer::Render(QSize size, const std::optional<QColor>& glyph,
                            const std::optional<Plate>& plate) const {
    if (m_source.isEmpty() || size.isEmpty()) return {};

    // The sources leave the `color` property unset, so currentColor alone would resolve to
    // black; substituting the text keeps the sources free of any palette.
    QByteArray source = m_source;
    if (glyph) source.replace("currentColor", glyph->name(QColor::HexRgb).toLatin1());
    QSvgRenderer svg(source);
    if (!svg.isValid()) return {};

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (plate) {
        const double scale = double(size.width()) / m_naturalSize.width();
        const double inset = plate->inset * scale;
        const QRectF rect =
            QRectF(QPointF(0, 0), QSizeF(size)).adjusted(inset, inset, -inset, -inset);
        painter.setPen(Qt::NoPen);
        painter.setBrush(plate->colour);
        painter.drawRoundedRect(rect, plate->radius * scale, plate->radius * scale);
    }
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    // Straight alpha is what PNG stores; converting here keeps the saved pixels exact.
    return image.convertToFormat(QImage::Format_ARGB32);
}
