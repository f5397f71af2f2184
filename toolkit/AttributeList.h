#pragma once
// Reading the layout syntax: attribute lists (name="value" name2="value2") and the value forms
// the skin uses for sizes, rectangles, colours and flags.

#include <QColor>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

using AttributePairs = std::vector<std::pair<QString, QString>>;

// The largest distance, in pixels either way, that layout geometry may give: sizes, edges,
// rectangles, widths and heights beyond it are malformed. Far more than any screen needs, it
// keeps every sum the layout code forms within int (DialogBuilder.h limits the number of
// controls that are summed).
inline constexpr int kMaxLayoutPixels = 1 << 16;

// Splits `name="value" ...`. Values are double-quoted and may hold single quotes; blanks separate
// pairs. Returns nullopt for malformed input (missing '=', missing quotes, empty name).
std::optional<AttributePairs> ParseAttributeList(const QString& list);

std::optional<int> ParseInt(const QString& text);
std::optional<double> ParseDouble(const QString& text);
// "true"/"false" as the layouts write them.
std::optional<bool> ParseBool(const QString& text);
// "w,h". This and the two forms below refuse numbers beyond kMaxLayoutPixels.
std::optional<QSize> ParseSize(const QString& text);
// "l,t,r,b" as four numbers (paddings, insets, caption and sizebox edges).
std::optional<QMargins> ParseEdges(const QString& text);
// "l,t,r,b" as a rectangle given by its two corners (image source and destination).
std::optional<QRect> ParseCornerRect(const QString& text);
// "#AARRGGBB", "#RRGGBB", "0xAARRGGBB" or "0xRRGGBB"; six digits mean opaque.
std::optional<QColor> ParseColor(const QString& text);
