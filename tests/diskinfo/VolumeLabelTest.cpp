// Editing the volume label and applying it.
#include "tests/diskinfo/DovrinFixture.h"

namespace {

using namespace test_drives;

TEST_F(DovrinTest, ApplyIsEnabledWhileTheLabelDiffersAndWritesWhatTheFileSystemKeeps)
{
    LabelFile file(kFixed);
    Start(kFixed);
    ASSERT_EQ(Text(IDC_LABEL), L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"SCRATCH"); // exact comparison: letter case alone is a change
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"Renamed");
    ClickApply();
    EXPECT_EQ(file.Text(), "Renamed");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Renamed)");
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    // The applied label is now the saved one.
    TypeLabel(L"Scratch");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L"Renamed");
    EXPECT_FALSE(Enabled(IDC_APPLY));

    // An empty label removes the drive's label.
    TypeLabel(L"");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    ClickApply();
    EXPECT_EQ(file.Text(), "");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\()");

    // NTFS keeps 32 characters: typing stops there, and a longer text put in
    // whole (one more here) is cut to them when applied.
    EXPECT_EQ(Send(IDC_LABEL, EM_GETLIMITTEXT), 32);
    const std::wstring longLabel = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", kept = longLabel.substr(0, 32);
    TypeLabel(longLabel);
    ClickApply();
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(" + kept + L")");
    EXPECT_EQ(file.Text(), std::string(kept.begin(), kept.end()));
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(DovrinTest, ARefusedLabelIsReportedAndTheOldOneComesBack)
{
    // A network drive's label cannot be set, but its label field is open.
    LabelFile file(kNetwork);
    Start(kNetwork);
    const std::wstring saved = Text(IDC_LABEL), caption = Text(IDC_DRIVE_CAPTION);
    TypeLabel(L"Refused");
    ClickApply();
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"Error:Unable To Set Volume Label");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Text(IDC_LABEL), saved);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), caption);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(file.Text(), "");
}

} // namespace
