// A combo box with a flat frame in the dialog's face colour. The frame is
// raised while the mouse pointer is over the box or the box has the focus,
// and its arrow looks pressed when the pointer leaves with the left button
// held down. It attaches to an existing combo box of a dialog (DDX_Control).
//
// The pointer is polled every 10 ms from the first mouse move over the box
// until a poll finds it outside (or the button held). The poll looks at the
// whole window rectangle, so the box stays raised while the pointer is on
// its own edit child or its arrow, and a poll that finds the look unchanged
// draws nothing.
//
// While the box has the focus it takes the keys for itself: Enter and Escape
// reach the box rather than the dialog's default and cancel buttons, and the
// dialog's Alt+letter shortcuts do nothing. Tab and Shift+Tab still move the
// focus on, so the keyboard can always leave the box.
#pragma once
#include "framework/Controls.h"

class CFlatComboBox : public fx::CComboBox {
public:
    bool PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    enum class Look { Flat, Hot, Pressed };

    void Poll();
    void OnPaint();
    // Raised while the box has the focus or the poll sees the pointer over it.
    Look RestingLook() const;
    bool PointerOver() const;
    bool HasFocus() const;
    // Draws the frame straight onto the screen: only frame pixels change.
    void ShowLook(Look look) const;
    void DrawFrame(HDC dc, Look look) const;

    bool m_bPressed = false; // the left button went down on the box
    bool m_bHot = false;     // raised because the poll saw the pointer over the box
};
