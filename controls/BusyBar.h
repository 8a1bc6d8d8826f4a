// An activity indicator for work of open-ended length: a gradient band that
// runs from one end of the bar to the other and back, one step each time the
// work calls Step. It attaches to a dialog's static (DDX_Control).
//
// Step is meant for the worker's own thread: it only moves the band and
// never touches the window. The bar looks at the band on a user-interface
// timer and repaints when it has moved since the last paint, so each step
// shows within a tick and an idle bar costs no painting.
#pragma once
#include "controls/BusyMotion.h"
#include "framework/Controls.h"

class CBusyBar : public fx::CStatic {
public:
    // How far the head runs before the tail follows (safe from any thread).
    void SetBandLength(int length) { m_motion.SetBandLength(length); }
    void SetBackColor(COLORREF color);
    // The band goes from trail at its tail end to lead at its head end.
    void SetColors(COLORREF trail, COLORREF lead);
    // Moves the band on by one step. Safe from any thread; does not repaint.
    void Step() { m_motion.Step(); }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void OnTick();
    void Draw(HDC dc, const SBusyBand& band) const;

    CBusyMotion m_motion;
    SBusyBand m_painted; // the band as the screen shows it
    COLORREF m_backColor = RGB(255, 255, 255);
    COLORREF m_trailColor = RGB(255, 0, 0);
    COLORREF m_leadColor = RGB(0, 255, 255);
};
