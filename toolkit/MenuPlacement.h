#pragma once
// Where a pop-up menu opens. The corner that the alignment names sits on the anchor point;
// then the menu is moved into the work area of its screen so that no item is cut off by an
// edge. A menu larger than the work area is cut to it, and its items scroll.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

using DWORD = std::uint32_t;

// Which edges of the menu lie on the anchor. Without Right the left edge does, without Bottom
// the top edge does: the default opens the menu to the right and downwards, Bottom alone
// opens it upwards with its lower-left corner on the anchor.
inline constexpr DWORD kMenuAlignLeft = 1u << 1;
inline constexpr DWORD kMenuAlignTop = 1u << 2;
inline constexpr DWORD kMenuAlignRight = 1u << 3;
inline constexpr DWORD kMenuAlignBottom = 1u << 4;
inline constexpr DWORD kMenuAlignDefault = kMenuAlignLeft | kMenuAlignTop;

// The menu's rectangle for a wanted size. An empty work area (no screen) leaves the aligned
// rectangle where it is.
QRect PlaceMenu(QSize size, QPoint anchor, DWORD alignment, const QRect& workArea);
