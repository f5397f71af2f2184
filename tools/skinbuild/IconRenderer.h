#pragma once
// Turns one SVG icon source into PNG-ready images. Icons draw their glyph in `currentColor`,
// so one source yields every colour variant the skin needs (normal, hover, ...).

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

class IconRenderer {
  public:
    // A rounded rectangle drawn behind the glyph, e.g. the hover highlight of a button.
    // inset and radius are in the units of the icon's viewBox, so they scale with the glyph.
    struct Plate {
        QColor colour;
        double inset = 0;
        double radius = 0;
    };

    // Reads the source; false (with a message in *error) when it cannot be read or parsed.
    bool Load(const QString& svgPath, QString* error);

    // The icon's own size in pixels (its viewBox, or width/height when it has none).
    QSize NaturalSize() const;

    // Renders the icon scaled to size with currentColor resolved to glyph (when given).
    // Returns a null image when the source is not loaded.
    QImage Render(QSize size, const std::optional<QColor>& glyph,
                  const std::optional<Plate>& plate) const;

  private:
    QByteArray m_source;
    QSize m_naturalSize;
};
