// What a gradient progress bar shows, without the window: its range, step
// and position, the share reached, the percentage text and the colour strips
// of the reached part.
#pragma once
#include "controls/ColorRamp.h"

#include <string>
#include <vector>

class CProgressGauge {
public:
    // Sets the position back to the lower end.
    void SetRange(int lower, int upper);
    void SetStep(int step) { m_step = step; }
    // Adds the step without stopping at the upper end (a bar stepped past
    // its end goes blank); only the limits of the integer stop it.
    void StepIt();

    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int GetStep() const { return m_step; }
    int Position() const { return m_position; }

    // Whether anything is shown: the position lies strictly between the
    // ends. At either end, or past one, the bar is blank.
    bool IsUnderway() const { return m_lower < m_position && m_position < m_upper; }
    // The share of a bar width pixels wide that the position has reached,
    // cut toward zero.
    int FilledWidth(int width) const;
    // The share reached in whole percent, an exact half rounded up: "13%"
    // for 1 of 8. Empty when nothing is shown.
    std::wstring PercentText() const;
    // The strips of the reached part, left to right. The gradient runs from
    // start at the left edge toward end at the right edge over the whole
    // width, and the reached part grows in whole strips: it ends with the
    // first strip that passes the filled width. With equal colours the
    // filled width is one strip of that colour. Empty when nothing is shown.
    std::vector<SColorBand> FilledBands(int width, COLORREF start, COLORREF end) const;

private:
    double Share() const;

    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_position = 0;
};
