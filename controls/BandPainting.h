// Drawing for the gradient bars: solid areas and colour strips.
#pragma once
#include "controls/ColorRamp.h"

#include <vector>

void FillSolid(HDC dc, const RECT& area, COLORREF color);
// Fills each strip from top down to (not including) bottom.
void FillBands(HDC dc, const std::vector<SColorBand>& bands, int top, int bottom);
