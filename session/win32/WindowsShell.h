#pragma once
// Joining the Windows shell, for start-up: this header needs no Windows header, so that
// callers may include the toolkit's.

#include <QImage>
#include <QString>
#include <QtGlobal>
#include <memory>

class Player;
class ShellSession;

// The thumbnail toolbar's looks: the control bar's icons and their tooltips in the interface
// language.
struct ThumbButtonLooks {
    QImage play, pause, backward, forward;
    QString playTip, pauseTip, backwardTip, forwardTip;
};

// Gives the process its application user model id, by which the taskbar groups and pins its
// windows and the media panel names it; before the first window shows.
void SetShellApplicationId(const QString& id);

// Shows `player` in the media controls and on the taskbar button of the top-level window
// `window` (its HWND), keeps the display on while a video plays and adds opened files to
// the recent documents. The player and the window must outlive the result.
std::unique_ptr<ShellSession> JoinWindowsShell(Player& player, quintptr window,
                                               ThumbButtonLooks looks);
