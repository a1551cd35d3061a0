#pragma once
#define IDD_TEST 200
#define IDC_TEST_EDIT 201
#define IDC_TEST_CHECK 202
#define IDC_TEST_LABEL 203
#define IDS_TEST_STRING 204
