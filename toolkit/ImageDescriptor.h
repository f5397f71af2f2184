#pragma once
// An image attribute of the layout: either a bare file name or a list such as
// "file='imgs/a.png' source='2,2,74,6' corner='30,30,30,30' fade='128'". Rectangles are given
// at 100 % scale; the drawing code scales them with the image variant it uses.

#include <QMargins>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;
class CPaintManagerUI;

struct ImageDescriptor {
    QString file;
    std::optional<QRect> source;  // part of the image to draw, whole image when absent
    std::optional<QRect> dest;    // relative to the control, whole control when absent
    QMargins corner;              // edges kept unscaled when stretching (nine-patch)
    int fade = 255;               // opacity 0..255

    bool IsEmpty() const { return file.isEmpty(); }

    // nullopt for malformed descriptors or unknown keys.
    static std::optional<ImageDescriptor> Parse(const QString& text);
};

// Draws `image` into `rect` (logical pixels). Returns false when the file cannot be found.
bool DrawImage(QPainter& painter, CPaintManagerUI& manager, const ImageDescriptor& image,
               const QRect& rect, qreal opacity = 1.0);
