// The colour steps both gradient bars draw: one step per unit of the largest
// channel difference between two colours, each channel moving by its share.
// Plain arithmetic, no window.
#pragma once
#include <windows.h>

#include <vector>

// A strip of one colour, from left up to (not including) right.
struct SColorBand {
    int left;
    int right;
    COLORREF color;

    bool operator==(const SColorBand&) const = default;
};

class CColorRamp {
public:
    CColorRamp(COLORREF from, COLORREF to);

    // How many steps the ramp has: the largest channel difference; 0 when the
    // two colours are equal.
    int Steps() const { return m_steps; }
    // The colour of step i: per channel, from + i * (difference / Steps()),
    // in single precision and cut toward zero.
    COLORREF ColorAt(int i) const;

private:
    COLORREF m_from;
    int m_steps;
    float m_increment[3]{}; // red, green, blue
};
