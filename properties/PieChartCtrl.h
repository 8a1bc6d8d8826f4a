// A pie of coloured slices sized in whole degrees, turned by dragging it
// sideways or by the left and right arrow keys. A legend of the labelled slices stacks down from the top-right
// corner, and every slice wide enough carries its share of the whole turn.
// It knows nothing of what the slices stand for. It attaches to a dialog item
// of the window class "PIE_CHART_CTRL" (DDX_Control), which constructing the
// object registers; the object outlives its windows and keeps its turn.
#pragma once
#include "framework/Handle.h"
#include "framework/Wnd.h"
#include "properties/PieGeometry.h"

#include <string>
#include <vector>

namespace fennix {

// One wedge of the pie and its legend row.
class CPieSlice {
public:
    CPieSlice(COLORREF fillColor, COLORREF textColor, int degrees, std::wstring label);

    COLORREF m_fillColor;     // the wedge and its legend swatch
    COLORREF m_textColor;     // the percentage inside the wedge
    int m_degrees;            // taken as given: 0, negative or past the full turn
    std::wstring m_label;     // empty: no legend row
    fx::CBrushHandle m_brush; // of the fill colour
};

// The percentage a slice of the given size shows, rounded half away from
// zero ("13%" for 45 degrees); empty for a slice of 25 degrees or less, too
// narrow to hold it.
std::wstring SlicePercentText(int degrees);

// The font of the legend and the percentages: Arial, 13 pixels at 96 DPI,
// scaled to dpi.
fx::CFontHandle CreatePieLabelFont(UINT dpi);

class CPieChartCtrl : public fx::CWnd {
public:
    CPieChartCtrl();

    // Appends a slice; false, with the chart unchanged, when it cannot be
    // held. Neither this nor RemoveAllSlices repaints: the caller invalidates
    // once the chart is complete.
    bool AddSlice(COLORREF fillColor, COLORREF textColor, int degrees, const std::wstring& label);
    void RemoveAllSlices() { m_slices.clear(); }

    const std::vector<CPieSlice>& Slices() const { return m_slices; }
    // Where the first slice begins; changed only by turning, never reduced.
    int StartAngle() const { return m_startAngle; }
    const CPieGeometry& Geometry() const { return m_geometry; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void RecalcLayout();
    void BeginDrag(int x);
    void DragTo(int x);
    void EndDrag();
    void Turn(int degrees);
    HFONT LabelFont();
    void Draw(HDC target);
    void DrawWedge(HDC dc, const CPieSlice& slice, POINT from, POINT to, HPEN outline) const;
    // gap: between the text and its swatch, in pixels.
    static void DrawLegendRow(HDC dc, const RECT& client, const CPieSlice& slice, int row, int gap);
    void DrawPercentage(HDC dc, const CPieSlice& slice, int endAngle) const;

    std::vector<CPieSlice> m_slices; // in drawing order
    int m_startAngle = 0;
    CPieGeometry m_geometry;
    fx::CFontHandle m_labelFont;
    UINT m_labelFontDpi = 0;
    bool m_bDragging = false;
    int m_lastX = 0;
};

} // namespace fennix
