#pragma once
// Ids of the test resources (FrameworkTests.rc).

#define IDD_FRAMEWORK_TEST 100
#define IDC_PUSH_BUTTON 1003
#define IDC_LABEL 1004
#define IDC_EDIT 1005
