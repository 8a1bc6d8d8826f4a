#include "properties/PiePage.h"

#include "outside/pallavol/DiskInfo.h"
#include "properties/PieShares.h"
#include "properties/res/resource.h"

#include <iterator>

namespace fennix {

namespace {
// The slices in drawing order, so also the legend's rows from the top.
const struct {
    const wchar_t* label;
    COLORREF fill;
    COLORREF text;
} kSlices[] = {
    {L"Others", RGB(255, 0, 0), RGB(0, 255, 0)},
    // The chart's disc colour: any part of the disc left open reads as free.
    {L"Free", RGB(0, 0, 255), RGB(255, 0, 0)},
    {L"Total", RGB(255, 255, 0), RGB(0, 0, 255)},
    {L"Selected", RGB(0, 255, 0), RGB(255, 0, 255)},
};
} // namespace

CPiePage::CPiePage() : CPropertyPage(IDD_PIE_PAGE)
{
}

void CPiePage::DoDataExchange(fx::CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_PIE_CHART, m_chart);
}

BOOL CPiePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    FillChart();
    return TRUE;
}

void CPiePage::FillChart()
{
    uint64_t driveTotal = 0;
    uint64_t driveFree = 0;
    // An empty root would name the current drive, which is no drive of the
    // selection: nothing known charts as all free.
    if (!m_strDrivePath.empty()) {
        const CDiskInfo drive(m_strDrivePath);
        driveTotal = drive.GetTotalSizeInBytes();
        driveFree = drive.GetDiskFreeInBytes();
    }
    const SPieShares shares = ComputePieShares(driveTotal, driveFree, m_folderTotal, m_selectedSize);
    const int degrees[std::size(kSlices)] = {shares.others, shares.free, shares.total, shares.selected};
    m_chart.RemoveAllSlices();
    for (size_t i = 0; i < std::size(kSlices); ++i)
        m_chart.AddSlice(kSlices[i].fill, kSlices[i].text, degrees[i], kSlices[i].label);
    m_chart.Invalidate(false);
}

} // namespace fennix
