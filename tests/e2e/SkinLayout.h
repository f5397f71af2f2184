#pragma once

#include <QHash>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

// Where the player's layouts put their parts, as the skin_layout tool reports them from the
// skin package and the toolkit's own layout code (tools/skinbuild/LayoutDump.h): the main
// window at any size, the About window at its own. Each dump is asked for once per run.
namespace e2e::skin {

struct LayoutDump {
    QSize size;     // the window size laid out, in pixels at 100 % scale
    QSize ownSize;  // the layout's "size": what the window opens at
    QSize minimum;  // its "mininfo"
    QMargins sizeBox;
    QMargins caption;
    QHash<QString, QRect> controls;  // the visible named controls
    QHash<QString, QRect> texts;     // the visible unnamed controls, by their text
    QHash<QString, QSize> thumbs;    // the visible named sliders' thumb sizes

    // The named control's rectangle in window coordinates; a test failure and an empty
    // rectangle when the dump has none.
    QRect operator[](const QString& name) const;
    // The same for an unnamed control that shows `text`.
    QRect text(const QString& text) const;
};

// `file` laid out at `size` (empty: its own size), with the controls listed in `shown`
// (comma separated) shown first, as the player shows them at run time.
const LayoutDump& layout(const QString& file, QSize size = {}, const QString& shown = {});

}  // namespace e2e::skin
