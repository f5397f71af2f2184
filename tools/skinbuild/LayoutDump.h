#pragma once
// Where a skin layout puts its named controls: the layout is built from the skin package and
// laid out by the toolkit exactly as a window of the program does, and each visible named
// control's rectangle is reported in window coordinates, with the window attributes of the
// layout's root element. The harnesses and the end-to-end tests read this instead of keeping
// their own copy of the skin's numbers.

#include <QJsonObject>
#include <QSize>
#include <QStringList>
#include <optional>

struct LayoutDumpRequest {
    QString file;       // a layout of the skin package, e.g. "main.xml"
    QSize size;         // the client size in device pixels; empty: the layout's own size
    qreal scale = 1.0;  // device pixels per layout pixel
    QStringList shown;  // controls hidden by the layout, shown for this dump
};

// {"layout", "size": [w, h], "scale", "window": {"size", "mininfo", "sizebox", "caption"},
//  "controls": {name: [x, y, w, h]}, "texts": {text: [x, y, w, h]},
//  "thumbs": {slider name: [w, h]}, "hidden": [names]}:
// "texts" holds the visible controls without a name by their text (a language-table id
// where the layout says so), the first of each text; rectangles and "size" in device
// pixels, the window attributes as the layout states them. nullopt, with `error` set, when
// the layout does not build or names a control to show that it lacks.
std::optional<QJsonObject> DumpLayout(const LayoutDumpRequest& request, QString* error);

// The fixed heights of the main window's title bar ("vTop") and control bar ("vBottom"),
// as the layout states them; nullopt when the layout lacks either.
std::optional<int> MainBarsHeight(QString* error);
