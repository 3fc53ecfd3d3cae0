// Resource numbers of the Select Camera dialog, its texts and its list icons (shared by C++ and .rc).
#pragma once

#define IDD_SELECT_CAMERA 210
#define IDB_CAMERA_ICONS 211
#define IDC_CAMERA_LIST 212

#define IDS_COLUMN_CAMERA 210
#define IDS_COLUMN_ID 211
#define IDS_COLUMN_SERIAL 212
#define IDS_COLUMN_LINK 213

// 320 + link type.
#define IDS_LINK_FIRST 320
#define IDS_LINK_USB2 320
#define IDS_LINK_GIGABIT 321
#define IDS_LINK_CAMERALINK 322
#define LINK_TYPE_COUNT 3
