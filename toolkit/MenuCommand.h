#pragma once
// The record a pop-up menu posts to its owner when an item is picked (WM_MENU_PICK): the
// item's name, its user data and its display text, and whether it was checked.

#include <QString>
#include <cstdint>

struct MenuCommand {
    QString name;
    QString userData;
    QString text;
    bool checked = false;
};

// A menu item's user data as a signed 64-bit decimal: leading blanks and a sign are
// skipped, digits are read up to the first other character, no digits give 0, and a value
// out of range saturates.
std::int64_t ParseUserDataId(const QString& text);
