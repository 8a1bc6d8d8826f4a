// A flat owner-drawn push button with an icon beside (or above) its caption.
// It lights up with a raised border, a second icon and a second caption
// colour while the mouse is over it, and looks sunken while held down. The
// icons' layout size is in pixels at 96 DPI: the button loads and lays out
// its icons at the size that has at the window's DPI, and loads them anew
// when the DPI changes. With the keyboard it is a push button like any
// other: a focus rectangle while it has the focus (unless the window hides
// keyboard cues), and Enter presses it while the dialog manager has made it
// the default.
#pragma once
#include "controls/HoverTracker.h"
#include "framework/Controls.h"
#include "framework/Handle.h"

class CIconButton : public fx::CButton {
public:
    enum Placement { IconLeft = 0, IconTop = 1 };

    CIconButton();

    // Loads the hover icon and the normal one (0: the hover icon serves for
    // both) at the layout size, and redraws at once.
    void SetIcons(WORD hoverId, WORD normalId, BYTE width, BYTE height);
    HICON HoverIcon() const { return m_hoverIcon.Get(); }
    HICON NormalIcon() const { return m_normalIcon ? m_normalIcon.Get() : m_hoverIcon.Get(); }
    // The size the icons are drawn at: the layout size at the window's DPI.
    SIZE IconSize() const;
    void SetNormalTextColor(COLORREF color, bool repaint);
    void SetHoverTextColor(COLORREF color, bool repaint);
    // 0: icon left of the caption; 1: icon above it. Other values are ignored.
    void SetIconPlacement(int placement);
    int IconPlacement() const { return m_placement; }

    bool IsHovered() const { return m_hover.IsHovered(); }
    // Whether the dialog manager made it the default push button (Enter
    // presses it): the button it was made with, or the one with the focus.
    bool IsDefault() const { return m_bDefault; }
    // Paints the button for one owner-draw request.
    void DrawItem(const DRAWITEMSTRUCT& dis);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void LoadIcons();
    void DrawIcon(HDC dc, const RECT& work, RECT& caption, bool hasCaption, bool pressed, bool disabled) const;
    void DrawCaption(HDC dc, const std::wstring& caption, RECT rect, const DRAWITEMSTRUCT& dis) const;

    int m_placement = IconLeft;
    bool m_bDefault = false;
    CHoverTracker m_hover;
    fx::CIconHandle m_hoverIcon;
    fx::CIconHandle m_normalIcon; // empty when the hover icon serves for both
    WORD m_hoverId = 0;
    WORD m_normalId = 0;
    BYTE m_iconWidth = 0;  // the layout size, at 96 DPI
    BYTE m_iconHeight = 0;
    UINT m_iconDpi = USER_DEFAULT_SCREEN_DPI; // the DPI the icons were loaded for
    const COLORREF m_normalBackColor;
    COLORREF m_normalTextColor;
    const COLORREF m_hoverBackColor;
    COLORREF m_hoverTextColor;
};
