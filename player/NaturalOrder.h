#pragma once
// File names in the order a file manager lists them: runs of digits compare as numbers
// ("ep 2" before "ep 10"), the rest without regard to letter case.

#include <QStringView>

// Less than zero when a comes before b, zero when they are the same name, greater otherwise.
// Names that differ only in letter case or in leading zeros still get a fixed order.
int NaturalCompare(QStringView a, QStringView b);

inline bool NaturalLess(QStringView a, QStringView b) { return NaturalCompare(a, b) < 0; }
