// CWnd: a C++ object bound to one HWND. Every window of the programs reaches
// its object through one subclass thunk; the object's WindowProc is a plain
// switch with Default() for everything it leaves alone.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace fx {

class CWindowGuard;

// The whole text of any window of this process.
std::wstring WindowText(HWND hwnd);

// Enables or disables a control of a dialog. The control that has the focus
// passes it on to the next tab stop before it is disabled: disabled, it
// would lose it, and leave the dialog without a control for the keys.
void EnableControl(HWND control, bool enable);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The object attached to a window by this layer, or null.
    static CWnd* FromHandlePermanent(HWND hwnd) noexcept;

    // Attaches to an existing window (a dialog item, a window made elsewhere).
    // Refused when the window already has an object of this layer.
    bool SubclassWindow(HWND hwnd);
    void UnsubclassWindow() noexcept;

    // Lets a window see a message before it is translated and dispatched;
    // true means it was handled (keyboard navigation, tooltip relay).
    virtual bool PreTranslateMessage(MSG* msg);

    // Thin wrappers over the calls the programs make.
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp) != FALSE; }
    bool ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd) != FALSE; }
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    void EnableWindow(bool enable) const { EnableControl(m_hWnd, enable); }
    bool DestroyWindow();
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const { return WindowText(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE); }
    // A hidden window is left alone: showing it paints it whole.
    void RedrawNow() const
    {
        if (::IsWindowVisible(m_hWnd))
            ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    bool SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags) != FALSE;
    }
    // Centres over the owner when it is visible, else on the work area of
    // the monitor the window is on.
    void CenterWindow() const;

    // Runs callback on every WM_TIMER for id, each milliseconds, until
    // KillTimer(id); setting an id again replaces its timer. Every timer of
    // the object ends with its window and with the object.
    bool SetTimer(UINT_PTR id, UINT milliseconds, std::function<void()> callback);
    void KillTimer(UINT_PTR id);

protected:
    // Routes WM_COMMAND to OnCommand; everything else goes to Default().
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // WM_COMMAND: a control's notification (its id, its code), a menu item
    // (code 0) or an accelerator (code 1). True when handled; a class that
    // handles some commands hands the rest to its base class's OnCommand.
    virtual bool OnCommand(UINT id, UINT code);
    // The processing the window would get without this object.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

    // A control sees its owner's WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and
    // WM_CTLCOLOR* about itself first; true means handled, with *result.
    virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    virtual void PreSubclassWindow() {}
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // Binds an HWND seen during creation (WM_NCCREATE, WM_INITDIALOG).
    bool Attach(HWND hwnd);

private:
    friend class CWindowGuard;

    static LRESULT CALLBACK SubclassThunk(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) const;
    bool RunTimer(UINT_PTR id);
    // Parts the object from its window: timers, binding, guards.
    void Detach() noexcept;

    WNDPROC m_nextProc = nullptr; // the window's procedure under the thunk
    std::map<UINT_PTR, std::function<void()>> m_timers;
    CWindowGuard* m_guards = nullptr; // the guards watching this object, linked through them
};

// Tells code that works for a window, and lets messages through meanwhile
// (a pump, a nested loop), whether that window went away in the meantime.
// It watches the object, not the handle: a window destroyed and another made
// with the same handle, or by the same object, still counts as gone.
class CWindowGuard {
public:
    explicit CWindowGuard(CWnd& wnd) noexcept;
    ~CWindowGuard();
    CWindowGuard(const CWindowGuard&) = delete;
    CWindowGuard& operator=(const CWindowGuard&) = delete;

    // False once the window the object had when the guard was made is
    // destroyed or parted from the object, or the object is gone.
    bool IsAlive() const noexcept { return m_wnd != nullptr; }

private:
    friend class CWnd;

    CWnd* m_wnd;
    CWindowGuard* m_next = nullptr;
};

// A top-level window of our own class (the programs' frames).
class CFrameWnd : public CWnd {
public:
    bool Create(const std::wstring& title, DWORD style, const RECT& rect, HWND parent = nullptr, DWORD exStyle = 0);
    // Window rectangle that has the given client rectangle.
    RECT CalcWindowRect(const RECT& client) const;

private:
    static LRESULT CALLBACK ClassProc(HWND, UINT, WPARAM, LPARAM);
};

} // namespace fx
