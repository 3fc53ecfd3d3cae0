// Identifiers of the workstation's frame, toolbar and camera bar resources.
#pragma once

// Pictures drawn by WorkstationArt at build time.
#define IDI_MAINFRAME 128
#define IDB_TOOLBAR_HOT 133
#define IDB_TOOLBAR_NORMAL 136
#define IDB_TOOLBAR_DISABLED 137
#define IDI_EXPOSURE_DOWN 208
#define IDI_EXPOSURE_UP 209

// The camera bar: its template doubles as its control-bar id.
#define IDD_CAMERA_BAR 139
#define IDC_ROI_TEXT 208
#define IDC_GAIN 32820
#define IDC_RATE 32821
#define IDC_FRAMES 32822
#define IDC_RECORD_MODE 32823
#define IDC_LIVE_TIMEOUT 32825
#define IDC_SYNC_IN 32826
#define IDC_TRIGGER_IN 32827
#define IDC_CAMERA_LINE 32828
#define IDC_EXPOSURE 32831
#define IDC_EXPOSURE_MODE 32832
#define IDC_PRE_TRIGGER 32833
#define IDC_PIXEL_DEPTH 32834
#define IDC_FRAME_LINE 32836
#define IDC_LIVE_WHILE_RECORDING 32844

// The frame's toolbar.
#define IDW_TOOLBAR 59392
