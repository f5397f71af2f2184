#include "player/NaturalOrder.h"

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The end of the run of digits or of other characters that starts at `from`.
qsizetype RunEnd(QStringView text, qsizetype from) {
    const bool digits = IsDigit(text[from]);
    qsizetype end = from;
    while (end < text.size() && IsDigit(text[end]) == digits) ++end;
    return end;
}

// Two runs of digits by their value, however long: without leading zeros, the longer is
// the greater, and runs of one length compare digit by digit.
int CompareNumbers(QStringView a, QStringView b) {
    while (a.size() > 1 && a.front() == u'0') a = a.mid(1);
    while (b.size() > 1 && b.front() == u'0') b = b.mid(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

}  // namespace

int NaturalCompare(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    int tieBreak = 0;  // the first difference that the order above leaves out
    while (i < a.size() && j < b.size()) {
        const qsizetype endA = RunEnd(a, i);
        const qsizetype endB = RunEnd(b, j);
        const QStringView runA = a.sliced(i, endA - i);
        const QStringView runB = b.sliced(j, endB - j);
        const bool numberA = IsDigit(a[i]);
        const bool numberB = IsDigit(b[j]);
        int order = 0;
        if (numberA && numberB) {
            order = CompareNumbers(runA, runB);
            // Of one number, the spelling with more leading zeros first.
            if (order == 0 && tieBreak == 0 && runA.size() != runB.size())
                tieBreak = runA.size() > runB.size() ? -1 : 1;
        } else if (numberA != numberB) {
            // Digits before letters, as in a plain listing.
            order = numberA ? -1 : 1;
        } else {
            order = runA.compare(runB, Qt::CaseInsensitive);
            if (order == 0 && tieBreak == 0) tieBreak = runA.compare(runB, Qt::CaseSensitive);
        }
        if (order != 0) return order < 0 ? -1 : 1;
        i = endA;
        j = endB;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return tieBreak < 0 ? -1 : (tieBreak > 0 ? 1 : 0);
}
