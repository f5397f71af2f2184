#include "toolkit/LinearLayout.h"

#include "toolkit/UIControl.h"

namespace {

struct AxisView {
    LayoutAxis axis;
    int Main(const QSize& s) const {
        return axis == LayoutAxis::Horizontal ? s.width() : s.height();
    }
    int Cross(const QSize& s) const {
        return axis == LayoutAxis::Horizontal ? s.height() : s.width();
    }
    int LeadPad(const QMargins& m) const {
        return axis == LayoutAxis::Horizontal ? m.left() : m.top();
    }
    int TrailPad(const QMargins& m) const {
        return axis == LayoutAxis::Horizontal ? m.right() : m.bottom();
    }
    int CrossLead(const QMargins& m) const {
        return axis == LayoutAxis::Horizontal ? m.top() : m.left();
    }
    int CrossTrail(const QMargins& m) const {
        return axis == LayoutAxis::Horizontal ? m.bottom() : m.right();
    }
    QRect Make(int mainPos, int crossPos, int mainLen, int crossLen) const {
        return axis == LayoutAxis::Horizontal ? QRect(mainPos, crossPos, mainLen, crossLen)
                                              : QRect(crossPos, mainPos, crossLen, mainLen);
    }
};

}  // namespace

void LayoutLinear(const std::vector<std::unique_ptr<CControlUI>>& items, const QRect& rc,
                  LayoutAxis axis) {
    const AxisView v{axis};
    const QSize available = rc.size();
    int fixedTotal = 0;
    int adjustables = 0;
    for (const auto& item : items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        const QSize sz = item->EstimateSize(available);
        if (v.Main(sz) == 0)
            ++adjustables;
        else
            fixedTotal += v.Main(sz);
        fixedTotal += v.LeadPad(item->GetPadding()) + v.TrailPad(item->GetPadding());
    }
    const int room = std::max(0, v.Main(available) - fixedTotal);
    const int share = adjustables > 0 ? room / adjustables : 0;
    int remainder = adjustables > 0 ? room - share * adjustables : 0;

    int pos = axis == LayoutAxis::Horizontal ? rc.left() : rc.top();
    const int crossStart = axis == LayoutAxis::Horizontal ? rc.top() : rc.left();
    for (const auto& item : items) {
        if (!item->IsVisible() || item->IsFloat()) continue;
        const QMargins& pad = item->GetPadding();
        const QSize sz = item->EstimateSize(available);
        int mainLen = v.Main(sz);
        if (mainLen == 0) {
            mainLen = share;
            // The last filling child takes what integer division left over.
            if (--adjustables == 0) mainLen += remainder, remainder = 0;
        }
        int crossLen = v.Cross(sz);
        if (crossLen == 0) crossLen = v.Cross(available) - v.CrossLead(pad) - v.CrossTrail(pad);
        pos += v.LeadPad(pad);
        item->SetPos(v.Make(pos, crossStart + v.CrossLead(pad), mainLen, std::max(0, crossLen)));
        pos += mainLen + v.TrailPad(pad);
    }
}
