#pragma once
// The record a pop-up menu posts to its owner when an item is picked (WM_MENU_PICK): the
// item's name, its user data and its display text, and whether it was checked.

#include <QString>

struct MenuCommand {
    QString name;
    QString userData;
    QString text;
    bool checked = false;
};
