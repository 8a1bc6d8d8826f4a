// A progress bar that paints its reached part as a colour gradient in
// visible steps and can print the percentage reached in its middle. It
// attaches to a dialog's progress bar (DDX_Control) and does all the
// painting itself, composed off-screen so a bar advancing step by step does
// not flicker.
#pragma once
#include "controls/ProgressGauge.h"
#include "framework/Controls.h"

class CGradientProgressCtrl : public fx::CProgressCtrl {
public:
    CGradientProgressCtrl();

    // Sets the position back to lower. The range reaches the progress bar
    // underneath in 32 bits, so counts above 65,535 work.
    void SetRange(int lower, int upper);
    void SetStep(int step);
    // Adds the step with no limit: past the upper end the bar is blank.
    void StepIt();

    const CProgressGauge& Gauge() const { return m_gauge; }

    // Settings the owner assigns before the bar is first shown.
    COLORREF m_startColor = RGB(255, 0, 0); // gradient at the left edge
    COLORREF m_endColor = RGB(0, 0, 255);   // gradient toward the right edge
    COLORREF m_backColor;                   // the part not reached; the button face by default
    COLORREF m_textColor = RGB(255, 255, 255);
    bool m_showPercentage = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Draw(HDC dc) const;
    void Changed() const;

    CProgressGauge m_gauge;
};
