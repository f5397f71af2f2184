#include "toolkit/AttributeList.h"

#include <QStringList>

std::optional<AttributePairs> ParseAttributeList(const QString& list) {
    AttributePairs pairs;
    const qsizetype n = list.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && list[i].isSpace()) ++i;
        if (i >= n) break;
        const qsizetype nameStart = i;
        while (i < n && list[i] != u'=' && !list[i].isSpace()) ++i;
        const QString name = list.mid(nameStart, i - nameStart);
        while (i < n && list[i].isSpace()) ++i;
        if (name.isEmpty() || i >= n || list[i] != u'=') return std::nullopt;
        ++i;
        while (i < n && list[i].isSpace()) ++i;
        if (i >= n || list[i] != u'"') return std::nullopt;
        const qsizetype valueStart = ++i;
        while (i < n && list[i] != u'"') ++i;
        if (i >= n) return std::nullopt;
        pairs.emplace_back(name, list.mid(valueStart, i - valueStart));
        ++i;
    }
    return pairs;
}

std::optional<int> ParseInt(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<double> ParseDouble(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<bool> ParseBool(const QString& text) {
    if (text == u"true") return true;
    if (text == u"false") return false;
    return std::nullopt;
}

namespace {
std::optional<std::vector<int>> ParseInts(const QString& text, int count) {
    const QStringList parts = text.split(u',');
    if (parts.size() != count) return std::nullopt;
    std::vector<int> values;
    for (const QString& p : parts) {
        const auto v = ParseInt(p);
        if (!v || *v < -kMaxLayoutPixels || *v > kMaxLayoutPixels) return std::nullopt;
        values.push_back(*v);
    }
    return values;
}
}  // namespace

std::optional<QSize> ParseSize(const QString& text) {
    const auto v = ParseInts(text, 2);
    if (!v) return std::nullopt;
    return QSize((*v)[0], (*v)[1]);
}

std::optional<QMargins> ParseEdges(const QString& text) {
    const auto v = ParseInts(text, 4);
    if (!v) return std::nullopt;
    return QMargins((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
}

std::optional<QRect> ParseCornerRect(const QString& text) {
    const auto v = ParseInts(text, 4);
    if (!v) return std::nullopt;
    return QRect(QPoint((*v)[0], (*v)[1]), QPoint((*v)[2] - 1, (*v)[3] - 1));
}

std::optional<QColor> ParseColor(const QString& text) {
    QString digits;
    if (text.startsWith(u'#'))
        digits = text.mid(1);
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        digits = text.mid(2);
    else
        return std::nullopt;
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    if (digits.size() == 6) return QColor::fromRgb(0xFF000000u | value);
    return QColor::fromRgba(value);
}
