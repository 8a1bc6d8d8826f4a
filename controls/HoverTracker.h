// Whether the mouse pointer is over a control, for controls that light up
// while hovered. The control hands every message of its window to
// OnMessage; the tracker tells it to repaint whenever the hover begins or
// ends.
//
// The hover begins with a mouse move inside the window and asks the system
// for WM_MOUSELEAVE instead of holding the mouse capture, so another window
// taking the capture, the foreground or a modal box never leaves a control
// lit. It ends when the pointer leaves, when a move arrives from outside the
// client area (the control may hold the capture for a click of its own),
// when another window takes the capture from the control, when the control
// is disabled or cancelled, and when its top-level window is deactivated,
// disabled or cancelled (Alt+Tab, another program, a message box), which a
// child window is never told about itself.
#pragma once
#include <windows.h>

#include <functional>

class CHoverTracker {
public:
    struct Rules {
        // Losing the keyboard focus ends the hover too.
        bool endOnFocusLoss = false;
        // A mouse move with the left button held (a drag begun elsewhere)
        // does not begin the hover.
        bool ignoreEntryWithButtonHeld = false;
    };

    CHoverTracker(Rules rules, std::function<void()> repaint);
    ~CHoverTracker();
    CHoverTracker(const CHoverTracker&) = delete;
    CHoverTracker& operator=(const CHoverTracker&) = delete;

    bool IsHovered() const { return m_window != nullptr; }

    // Sees a message of the control's window after its default processing.
    void OnMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);

private:
    void OnMouseMove(HWND window, WPARAM wp, LPARAM lp);
    // Messages of the control's own window that end the hover.
    bool EndsHover(UINT msg, WPARAM wp, LPARAM lp) const;
    void Begin(HWND window);
    void End();
    void StopWatchingRoot();
    // Messages that take a window out of the user's hands (deactivated,
    // disabled, cancelled, destroyed), for the control and its top-level
    // window alike.
    static bool TakesOutOfUse(UINT msg, WPARAM wp);
    static LRESULT CALLBACK RootProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    const Rules m_rules;
    const std::function<void()> m_repaint;
    HWND m_window = nullptr; // the hovered window; null while not hovered
    HWND m_root = nullptr;   // its top-level window, watched while hovered
};
