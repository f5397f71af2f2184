#include "ui/ProgressHoverLabel.h"

#include <QFontMetrics>
#include <algorithm>
#include <memory>

#include "player/Player.h"
#include "toolkit/PaintManager.h"
#include "toolkit/UIContainer.h"
#include "toolkit/UILabel.h"
#include "toolkit/UISlider.h"
#include "toolkit/WindowWnd.h"
#include "ui/TimeFormat.h"

namespace {

// The bars' dark, a shade lighter to stand out over them, the time label's text colour, and
// a border between the two.
constexpr char kLabelLook[] =
    "name=\"lbl_hover\" float=\"true\" visible=\"false\" align=\"center\" "
    "bkcolor=\"#FF2A2A2A\" textcolor=\"#FFDDDDDD\"";
const QColor kBorderColor(0x5A, 0x5A, 0x5A);
constexpr int kLabelHeight = 20;
constexpr int kTextMargin = 6;  // on either side of the text, inside the border
constexpr int kGap = 2;         // between the label's bottom and the slider's top

}  // namespace

QRect PlaceHoverLabel(int windowWidth, const QRect& slider, int pointerX, const QSize& labelSize) {
    const int rightmost = std::max(0, windowWidth - labelSize.width());
    const int left = std::clamp(pointerX - labelSize.width() / 2, 0, rightmost);
    return QRect(QPoint(left, slider.top() - kGap - labelSize.height()), labelSize);
}

QString HoverLabelText(double seconds, double duration, const std::vector<ChapterEntry>& chapters) {
    const QString time = TimeInLength(seconds, duration);
    const int chapter = ChapterAt(chapters, seconds);
    if (chapter < 0 || chapters[static_cast<std::size_t>(chapter)].title.isEmpty()) return time;
    return time + QStringLiteral("  ") + chapters[static_cast<std::size_t>(chapter)].title;
}

ProgressHoverLabel::ProgressHoverLabel(Player& player) : m_player(player) {
    m_player.AddObserver(this);
}

ProgressHoverLabel::~ProgressHoverLabel() { m_player.RemoveObserver(this); }

void ProgressHoverLabel::Attach(CWindowWnd& window, CPaintManagerUI& pm, CSliderUI* slider) {
    auto* root = dynamic_cast<CContainerUI*>(pm.GetRoot());
    if (!slider || !root) return;
    m_pm = &pm;
    m_pSlider = slider;
    auto label = std::make_unique<CLabelUI>();
    // Added before the look is applied, so that it has the window's manager.
    m_pLabel = label.get();
    root->Add(std::move(label));
    m_pLabel->ApplyAttributeList(QString::fromLatin1(kLabelLook));
    // Made after the video window, so that it stands above it.
    if (m_labelWnd.Create(window, QRect(0, 0, 1, 1))) {
        m_labelWnd.SetControl(m_pLabel, kBorderColor);
        m_labelWnd.ShowWindow(false);
    }
}

void ProgressHoverLabel::OnMouseMove(const QPoint& pt) {
    if (!m_pLabel) return;
    m_pm->LayoutIfNeeded();
    const double duration = m_player.Duration();
    if (duration <= 0.0 || !m_fileLoaded || !m_pSlider->IsVisible() ||
        !m_pSlider->GetPos().contains(pt)) {
        Hide();
        return;
    }
    const QString text = HoverLabelText(m_pSlider->FractionAt(pt) * duration, duration, m_chapters);
    const QFontMetrics metrics(m_pm->GetFont(m_pLabel->GetFont()));
    const QSize size(metrics.horizontalAdvance(text) + 2 * (kTextMargin + 1), kLabelHeight);
    m_pLabel->SetText(text);
    m_pLabel->SetPos(
        PlaceHoverLabel(m_pm->GetRoot()->GetWidth(), m_pSlider->GetPos(), pt.x(), size));
    m_pLabel->SetVisible(true);
    m_labelWnd.Follow(true);
}

void ProgressHoverLabel::Hide() {
    if (!m_pLabel) return;
    m_pLabel->SetVisible(false);
    m_labelWnd.Follow(false);
}

void ProgressHoverLabel::OnPlayerChanged() {
    if (m_player.Duration() != m_marksDuration) ShowMarks();
}

void ProgressHoverLabel::OnFileLoaded() {
    m_fileLoaded = true;
    m_chapters = m_player.Chapters();
    ShowMarks();
}

void ProgressHoverLabel::OnStopped() {
    m_fileLoaded = false;
    m_chapters.clear();
    Hide();
    ShowMarks();
}

void ProgressHoverLabel::ShowMarks() {
    const double duration = m_player.Duration();
    m_marksDuration = duration;
    if (duration <= 0.0) Hide();
    if (!m_pSlider) return;
    std::vector<double> fractions;
    if (duration > 0.0) {
        for (const ChapterEntry& chapter : m_chapters)
            fractions.push_back(chapter.start / duration);
    }
    m_pSlider->SetMarks(std::move(fractions));
}
