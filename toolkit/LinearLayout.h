#pragma once
// The one algorithm behind the horizontal and vertical layouts, written along a main axis.

#include <QRect>
#include <memory>
#include <vector>

class CControlUI;

enum class LayoutAxis { Horizontal, Vertical };

void LayoutLinear(const std::vector<std::unique_ptr<CControlUI>>& items, const QRect& rc,
                  LayoutAxis axis);
