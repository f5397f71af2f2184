#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "Desktop.h"
#include "Ewmh.h"
#include "MediaSession.h"

namespace e2e {

// The states in _NET_WM_STATE that the journeys look for.
inline const QString kMaxVert = QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT");
inline const QString kMaxHorz = QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ");
inline const QString kAbove = QStringLiteral("_NET_WM_STATE_ABOVE");

// Base of the journeys under a window manager: the media tests' harness with openbox on
// the display (Desktop kOpenbox), and ways to read what openbox makes of the player's
// window.
class ManagedTest : public MediaTest {
  protected:
    ManagedTest() { desktop_ = kOpenbox; }
    void SetUp() override;
    void TearDown() override;

    // Waits until the window manager does (or no longer does) list `state`, such as
    // "_NET_WM_STATE_ABOVE", in the player window's _NET_WM_STATE.
    bool awaitState(const QString& state, bool present);
    QString states() { return ewmh_->states(window_).join(QStringLiteral(", ")); }
    // Expects openbox to list both maximised states, or neither of them.
    void expectMaximised(bool maximised) {
        EXPECT_TRUE(awaitState(kMaxVert, maximised)) << "states: " << str(states());
        EXPECT_TRUE(awaitState(kMaxHorz, maximised)) << "states: " << str(states());
    }

    // Openbox has given the window no frame: it sits alone in openbox's frame window,
    // which stands at `expected`, as the window itself does, and openbox reports no
    // border around it.
    void expectNoFrame(const QRect& expected);

    // Drags with the left button from `from` (window coordinates) by `delta` in a few
    // steps, like a user. After each step it waits until the window stands where
    // `expectedAt` says it should for the way moved so far, moving the pointer a pixel
    // aside and back meanwhile: a window manager follows only the motions after it has
    // taken the pointer, and a button let go before that would leave it still moving.
    void dragFollowed(QPoint from, QPoint delta,
                      const std::function<QRect(QPoint moved)>& expectedAt);

    std::unique_ptr<Ewmh> ewmh_;
};

}  // namespace e2e
