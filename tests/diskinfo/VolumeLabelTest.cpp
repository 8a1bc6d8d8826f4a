// Editing the volume label and applying it.
#include "tests/diskinfo/DovrinFixture.h"

namespace {

using namespace testing_support;
using namespace test_drives;

TEST_F(DovrinTest, ApplyIsEnabledWhileTheLabelDiffersAndWritesItToTheDrive)
{
    LabelFileKeeper keeper(kFixed);
    Start(kFixed);
    ASSERT_EQ(Text(IDC_LABEL), L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"SCRATCH"); // exact comparison: letter case alone is a change
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"Renamed");
    ClickApply();
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(LabelFile(kFixed), "Renamed");
    EXPECT_EQ(Text(IDC_LABEL), L"Renamed");
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
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(LabelFile(kFixed), "");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\()");
}

TEST_F(DovrinTest, ARefusedLabelIsReportedAndTheOldOneComesBack)
{
    // A network drive's label cannot be set, but its label field is open.
    LabelFileKeeper keeper(kNetwork);
    Start(kNetwork);
    const std::wstring saved = Text(IDC_LABEL), caption = Text(IDC_DRIVE_CAPTION);
    ASSERT_TRUE(Enabled(IDC_LABEL));
    TypeLabel(L"Refused");
    ClickApply();
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"Error:Unable To Set Volume Label");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Text(IDC_LABEL), saved);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), caption);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(LabelFile(kNetwork), "");
}

TEST_F(DovrinTest, ALabelIsKeptToWhatTheFileSystemStores)
{
    LabelFileKeeper keeper(kFixed);
    Start(kFixed);
    // NTFS keeps 32 characters: typing stops there, and a longer text put in
    // whole is cut to them when applied.
    EXPECT_EQ(::SendMessageW(Item(IDC_LABEL), EM_GETLIMITTEXT, 0, 0), 32);
    const std::wstring longLabel = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    TypeLabel(longLabel);
    ClickApply();
    const std::wstring kept = longLabel.substr(0, 32);
    EXPECT_EQ(Text(IDC_LABEL), kept);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(" + kept + L")");
    EXPECT_EQ(LabelFile(kFixed), std::string(kept.begin(), kept.end()));
}

} // namespace
