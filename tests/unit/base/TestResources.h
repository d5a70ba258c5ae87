// String resources of the base library tests.
#pragma once
#define IDS_TEST_LONG 9001 // 300 characters: "abcdefghij" 30 times
#define IDS_TEST_SHORT 9002
#define IDS_TEST_MISSING 9999
