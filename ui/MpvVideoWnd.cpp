#include "ui/MpvVideoWnd.h"

#include "toolkit/DropFiles.h"
#include "toolkit/MessagePayload.h"
#include "toolkit/WindowWnd.h"
#include "ui/PlayerMessages.h"

LRESULT MpvVideoWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* parent = GetParent();
    switch (msg) {
        case WM_SETCURSOR:
            return 1;  // the window's own cursor is the arrow
        case WM_NCHITTEST:
            if (!parent) return HTCLIENT;
            return parent->SendMessage(WM_NCHITTEST, wParam, lParam) == HTCLIENT ? HTCLIENT
                                                                                 : HTTRANSPARENT;
        case WM_LBUTTONUP:
            if (parent) parent->PostMessage(WM_VIDEO_CLICK, 0, 0);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (parent) parent->PostMessage(WM_VIDEO_DBLCLK, 0, 0);
            return 0;
        case WM_DROPFILES: {
            // Every file, each with its whole path however long.
            const auto* drop = reinterpret_cast<const DropFiles*>(wParam);
            if (drop && !drop->paths.isEmpty() && parent)
                parent->PostMessage(WM_VIDEO_DROPFILE, MakePayload(drop->paths));
            DragFinish(wParam);
            return 0;
        }
        default:
            return CNativeChildWnd::WindowProc(msg, wParam, lParam);
    }
}
