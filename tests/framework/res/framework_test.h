// Ids of the test program's own dialog templates.
#pragma once

#define IDD_TEST_PAGE 100
#define IDD_SECOND_PAGE 101
#define IDI_TEST_APP 102
#define IDC_NUMBER 1001
#define IDC_TIP_BUTTON 1002
