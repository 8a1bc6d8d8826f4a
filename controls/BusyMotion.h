// The moving band of a busy bar, without the window. Positions run from 0 to
// Range; the head is the band's leading end, the tail its trailing end. Each
// Step moves the band on: it grows out of one end to the band length,
// travels at that length, shrinks into the far end while the head waits
// there, and then sets off the other way.
//
// Work of open-ended length steps it from its own thread while the
// user-interface thread paints it, so every call takes a lock and the
// painter always sees a finished step.
#pragma once
#include "controls/ColorRamp.h"

#include <mutex>
#include <vector>

// Where the band is, as it is drawn.
struct SBusyBand {
    static constexpr int Range = 100;

    int head = 0;
    int tail = 0;
    bool movingLeft = false;

    bool operator==(const SBusyBand&) const = default;

    // The band's left and right pixel edges on a bar width pixels wide.
    int LeftEdge(int width) const { return Pixel(width, movingLeft ? head : tail); }
    int RightEdge(int width) const { return Pixel(width, movingLeft ? tail : head); }
    // The band's colour strips on a bar width pixels wide, going from trail
    // at the tail end to lead at the head end. With equal colours the band is
    // one strip of that colour.
    std::vector<SColorBand> Bands(int width, COLORREF trail, COLORREF lead) const;

private:
    static int Pixel(int width, int position)
    {
        return static_cast<int>(static_cast<double>(width) * position / Range);
    }
};

class CBusyMotion {
public:
    static constexpr int StepSize = 1;

    // How far the head runs ahead of the tail before the tail follows.
    void SetBandLength(int length);
    // Moves the band on by one step. Safe from any thread.
    void Step();
    // The band as the last finished step left it. Safe from any thread.
    SBusyBand Band() const;
    bool IsTurning() const;

private:
    void MoveTail();
    // One step from position toward the end the band is heading for.
    int Advance(int position) const;

    mutable std::mutex m_lock;
    SBusyBand m_band;
    bool m_turning = false; // the head is at an end, waiting for the tail
    int m_bandLength = 40;
};
