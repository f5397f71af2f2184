#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

#include "Looks.h"
#include "SkinLayout.h"

// Where the main window's parts sit at 100 % scale for a window of any size, in window
// coordinates, as the layout dump reports them; and the spots the journeys look at or grab
// that are no control of their own, placed by the controls around them.
namespace e2e::sized {

inline const skin::LayoutDump& at(QSize s, const QString& shown = {}) {
    return skin::layout(QStringLiteral("main.xml"), s, shown);
}
// The size the window opens at, and the smallest it can be made.
inline QSize ownSize() { return skin::layout(QStringLiteral("main.xml")).ownSize; }
inline QSize minimumSize() { return skin::layout(QStringLiteral("main.xml")).minimum; }

inline QRect titleBar(QSize s) { return at(s)[QStringLiteral("vTop")]; }
inline QRect controlBar(QSize s) { return at(s)[QStringLiteral("vBottom")]; }
inline QRect video(QSize s) { return at(s)[QStringLiteral("video_area")]; }
// The bars' heights, the same at every size.
inline int titleHeight() { return titleBar(ownSize()).height(); }
inline int controlsHeight() { return controlBar(ownSize()).height(); }

inline QRect menuButton(QSize s) { return at(s)[QStringLiteral("menubtn")]; }
inline QRect pinButton(QSize s) { return at(s)[QStringLiteral("pinbtn")]; }
inline QRect minButton(QSize s) { return at(s)[QStringLiteral("minbtn")]; }
// The restore button takes the maximise button's place while the window is maximised.
inline QRect maxButton(QSize s) { return at(s)[QStringLiteral("maxbtn")]; }
inline QRect closeButton(QSize s) { return at(s)[QStringLiteral("closebtn")]; }
// The product name's text, in the left 60 px of its label.
inline QRect appLabel(QSize s) {
    const QRect label = at(s).text(QStringLiteral("MoviraPlayer"));
    return {label.topLeft(), QSize(60, label.height())};
}
// The text line of the title label (5 px in from the bar's edges) once a title is known:
// right of the info button that a loaded title shows.
inline QRect titleText(QSize s) {
    return at(s, QStringLiteral("infobtn"))[QStringLiteral("lblvideo")].adjusted(0, 5, 0, -5);
}
inline QRect infoButton(QSize s) {
    return at(s, QStringLiteral("infobtn"))[QStringLiteral("infobtn")];
}
// Inside the title label, which is empty while nothing is loaded.
inline QRect emptyTitle(QSize s) {
    return at(s)[QStringLiteral("lblvideo")].adjusted(180, 5, -80, -5);
}
// Inside the title label but right of any short title: 150 px of its text line, ending
// 10 px short of the pin button.
inline QRect bareTitle(QSize s) {
    const QRect pin = pinButton(s);
    return {pin.left() - 160, pin.top() + 5, 150, 20};
}

inline QRect progressSlider(QSize s) { return at(s)[QStringLiteral("slider_progress")]; }
inline QRect playButton(QSize s) { return at(s)[QStringLiteral("btn_play")]; }
inline QRect previousButton(QSize s) { return at(s)[QStringLiteral("btn_previous")]; }
inline QRect nextButton(QSize s) { return at(s)[QStringLiteral("btn_next")]; }
inline QRect audioButton(QSize s) { return at(s)[QStringLiteral("btn_audio")]; }
inline QRect stopButton(QSize s) { return at(s)[QStringLiteral("btn_stop")]; }
inline QRect backwardButton(QSize s) { return at(s)[QStringLiteral("btn_backward")]; }
inline QRect forwardButton(QSize s) { return at(s)[QStringLiteral("btn_forward")]; }
inline QRect openButton(QSize s) { return at(s)[QStringLiteral("btn_open")]; }
inline QRect timeLabel(QSize s) { return at(s)[QStringLiteral("lbl_time")]; }
// The speed label, hidden until a speed is picked, stands just left of the speed button.
inline QRect speedLabel(QSize s) {
    return at(s, QStringLiteral("lbl_speed"))[QStringLiteral("lbl_speed")];
}
inline QRect speedButton(QSize s) { return at(s)[QStringLiteral("btn_speed")]; }
inline QRect subtitleButton(QSize s) { return at(s)[QStringLiteral("btn_subtitle")]; }
inline QRect volumeButton(QSize s) { return at(s)[QStringLiteral("btn_volume")]; }
// The volume slider runs 0 to 100 with its thumb's left edge at round(travel * value / 100)
// from the slider's left, the travel being its width less the thumb's.
inline QRect volumeSlider(QSize s) { return at(s)[QStringLiteral("slider_volume")]; }
// Where picture::progress reads that thumb at `value`.
inline double volumeThumb(int value) {
    const QString volume = QStringLiteral("slider_volume");
    const int travel = volumeSlider(ownSize()).width() - at(ownSize()).thumbs.value(volume).width();
    return std::lround(travel * value / 100.0) / static_cast<double>(travel);
}
inline QRect fullscreenButton(QSize s) { return at(s)[QStringLiteral("btn_fullscreen")]; }
// Between the time label and the speed button, 10 px clear of the one and 6 px of the other
// and 2 px inside the button row.
inline QRect bareControls(QSize s) {
    const QRect row = playButton(s);
    return QRect(QPoint(timeLabel(s).right() + 11, row.top() + 2),
                 QPoint(speedButton(s).left() - 7, row.bottom() - 2));
}

// Points a user would grab: the middle of the title bar, bare control-bar space level with
// the buttons' middles, and the right border just below the progress slider, where no
// control lies.
inline QPoint titleGrip(QSize s) { return {s.width() / 2, titleBar(s).height() / 2}; }
inline QPoint controlGrip(QSize s) {
    return {bareControls(s).center().x(), playButton(s).center().y()};
}
inline QPoint rightBorderGrip(QSize s) {
    return {s.width() - at(s).sizeBox.right() / 2, progressSlider(s).bottom() + 3};
}

}  // namespace e2e::sized

// The About window's parts in its own coordinates, at its own size.
namespace e2e::about {

inline const skin::LayoutDump& at() { return skin::layout(QStringLiteral("about.xml")); }
inline QRect title() { return at().text(QStringLiteral("about")); }
inline QRect productName() { return at().text(QStringLiteral("aboutname")); }
inline QRect slogan() { return at().text(QStringLiteral("slogan")); }
inline QRect version() { return at()[QStringLiteral("lblVersion")]; }
inline QRect homePage() { return at()[QStringLiteral("homepage_btn")]; }
// The middle of the close button.
inline QPoint closePoint() {
    const QRect close = at()[QStringLiteral("closebtn")];
    return close.topLeft() + QPoint(close.width() / 2, close.height() / 2);
}
// A strip of bare background left of the centred texts and below the title bar.
inline QRect bareStrip() { return {productName().left() + 5, title().bottom() + 31, 80, 200}; }

}  // namespace e2e::about
