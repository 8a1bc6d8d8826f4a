#include "controls/HoverTracker.h"

#include "framework/Trace.h"

#include <commctrl.h>

#include <utility>

CHoverTracker::CHoverTracker(Rules rules, std::function<void()> repaint)
    : m_rules(rules), m_repaint(std::move(repaint))
{
}

CHoverTracker::~CHoverTracker()
{
    StopWatchingRoot();
}

void CHoverTracker::OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEMOVE)
        OnMouseMove(window, wp, lp);
    else if (IsHovered() && EndsHover(msg, wp, lp))
        End();
}

bool CHoverTracker::EndsHover(UINT msg, WPARAM wp, LPARAM lp) const
{
    switch (msg) {
    case WM_MOUSELEAVE:
        return true;
    case WM_CAPTURECHANGED:
        // Taken by another window. Given back to nobody (the end of a click
        // on the control), it leaves the pointer where it was: over the control.
        return lp != 0;
    case WM_KILLFOCUS:
        return m_rules.endOnFocusLoss;
    default:
        return TakesOutOfUse(msg, wp);
    }
}

void CHoverTracker::OnMouseMove(HWND window, WPARAM wp, LPARAM lp)
{
    RECT client{};
    ::GetClientRect(window, &client);
    const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    const bool inside = ::PtInRect(&client, pt) != FALSE;
    if (IsHovered()) {
        // Moves from outside come only while the control holds the capture
        // (a click of its own in progress); the pointer has left all the same.
        if (!inside)
            End();
        return; // still inside: nothing changes, nothing to repaint
    }
    if (inside && !(m_rules.ignoreEntryWithButtonHeld && (wp & MK_LBUTTON)))
        Begin(window);
}

void CHoverTracker::Begin(HWND window)
{
    m_window = window;
    // The system forgets the request once it has sent WM_MOUSELEAVE, so each
    // hover asks anew.
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = window;
    ::TrackMouseEvent(&tme);
    HWND root = ::GetAncestor(window, GA_ROOT);
    if (root && root != window &&
        ::SetWindowSubclass(root, RootProc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
        m_root = root;
    m_repaint();
}

void CHoverTracker::End()
{
    StopWatchingRoot();
    m_window = nullptr;
    m_repaint();
}

void CHoverTracker::StopWatchingRoot()
{
    if (!m_root)
        return;
    ::RemoveWindowSubclass(m_root, RootProc, reinterpret_cast<UINT_PTR>(this));
    m_root = nullptr;
}

bool CHoverTracker::TakesOutOfUse(UINT msg, WPARAM wp)
{
    switch (msg) {
    case WM_ACTIVATE: // another window, of this program or another, is activated
        return LOWORD(wp) == WA_INACTIVE;
    case WM_ACTIVATEAPP: // another program takes the foreground
    case WM_ENABLE:      // disabled, as an owner is under a modal box
        return wp == FALSE;
    case WM_CANCELMODE: // sent as a modal box or dialog comes up
    case WM_DESTROY:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CHoverTracker::RootProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref)
{
    auto* self = reinterpret_cast<CHoverTracker*>(ref);
    LRESULT result = ::DefSubclassProc(hwnd, msg, wp, lp);
    // Nothing may unwind through the system's window procedures; the owner's
    // repaint is the only call here that could throw.
    try {
        if (TakesOutOfUse(msg, wp))
            self->End();
    } catch (...) {
        fx::TraceCaughtException(L"hover tracking");
    }
    return result;
}
