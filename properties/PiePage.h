// The "Pie Chart" page: how the space of the drive that holds the folder
// page's items divides into those selected, the rest of them, the drive's
// other used space and its free space. The folder page hands over its figures
// before it adds the page; every showing creates the page's window anew and
// charts the figures of that moment, while the chart keeps its turn.
#pragma once
#include "framework/PropertySheet.h"
#include "properties/PieChartCtrl.h"

#include <cstdint>
#include <string>

namespace fennix {

class CPiePage : public fx::CPropertyPage {
public:
    CPiePage();

    void SetSelectedSize(uint64_t bytes) { m_selectedSize = bytes; }
    void SetFolderTotal(uint64_t bytes) { m_folderTotal = bytes; }
    // The root of the drive or network share to chart: "X:\" or
    // "\\server\share\" (PathRoot of the first selected path).
    void SetDrivePath(const std::wstring& root) { m_strDrivePath = root; }

    uint64_t SelectedSize() const { return m_selectedSize; }
    uint64_t FolderTotal() const { return m_folderTotal; }
    const std::wstring& DrivePath() const { return m_strDrivePath; }
    CPieChartCtrl& Chart() { return m_chart; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;

private:
    void FillChart();

    std::wstring m_strDrivePath;
    uint64_t m_folderTotal = 0;
    uint64_t m_selectedSize = 0;
    CPieChartCtrl m_chart;
};

} // namespace fennix
