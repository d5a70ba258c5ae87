// String-table ids of the alarm texts that RepeatText builds. The texts come
// from the string table of the program that calls it.
#pragma once

#define IDS_REPEAT_NEVER 1200     // "Never"
#define IDS_REPEAT_EVERYDAY 1201  // "Everyday"
#define IDS_REPEAT_WEEKDAYS 1202  // "Weekdays"
#define IDS_REPEAT_EVERY_DAY 1203 // "Every %s": one set day, %s its full name

// Full day names, Sunday to Saturday, in weekday-bit order; a repeat set of
// several days shows the first three characters of each.
#define IDS_DAY_SUNDAY 1204    // "Sunday"
#define IDS_DAY_MONDAY 1205    // "Monday"
#define IDS_DAY_TUESDAY 1206   // "Tuesday"
#define IDS_DAY_WEDNESDAY 1207 // "Wednesday"
#define IDS_DAY_THURSDAY 1208  // "Thursday"
#define IDS_DAY_FRIDAY 1209    // "Friday"
#define IDS_DAY_SATURDAY 1210  // "Saturday"

// Volume picker rows and the volume shown elsewhere.
#define IDS_VOLUME_NONE 62   // "None"
#define IDS_VOLUME_SYSTEM 73 // "Use System"
#define IDS_VOLUME_20 74     // "20%"
#define IDS_VOLUME_40 75     // "40%"
#define IDS_VOLUME_60 76     // "60%"
#define IDS_VOLUME_80 77     // "80%"
#define IDS_VOLUME_100 78    // "100%"
