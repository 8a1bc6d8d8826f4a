#include "framework/Dpi.h"

#include <gtest/gtest.h>

namespace {

// The DPI comes from the user's settings: one no screen has is drawn as the nearest one drawn for.
TEST(Dpi, LengthsScaleFromNinetySixDpiToTheNearestPixelWithinTheLimits)
{
    const struct {
        int length;
        UINT dpi;
        int scaled;
    } cases[] = {{32, 96, 32},  {32, 144, 48},  {16, 144, 24},   {25, 144, 38},     {3, 120, 4},
                 {-13, 144, -20}, {32, 0, 16},  {32, 1, 16},     {32, 100000, 160}, {32, 0xFFFFFFFF, 160}};
    for (const auto& c : cases)
        EXPECT_EQ(fx::ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
}

} // namespace
