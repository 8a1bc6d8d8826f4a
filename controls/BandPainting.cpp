#include "controls/BandPainting.h"

#include "framework/Handle.h"

void FillSolid(HDC dc, const RECT& area, COLORREF color)
{
    fx::CBrushHandle brush(::CreateSolidBrush(color));
    ::FillRect(dc, &area, brush.Get());
}

void FillBands(HDC dc, const std::vector<SColorBand>& bands, int top, int bottom)
{
    for (const SColorBand& band : bands)
        FillSolid(dc, RECT{band.left, top, band.right, bottom}, band.color);
}
