// Command, message-string and menu identifiers shared by the view, its bars and the resources.
#pragma once

// View commands.
#define ID_ZOOM_IN 32771
#define ID_ZOOM_OUT 32772
#define ID_ZOOM_FIRST 32773      // "Zoom by 400%" ... 32785 "Zoom by 10%"
#define ID_ZOOM_CUSTOM 32786
#define ID_ZOOM_FIT 32787
#define ID_ZOOM_100 32788
#define ID_ZOOM_SELECTOR 32789
#define ID_SHOW_CAMERA_BAR 32790
#define ID_CAMERA_RECORD 32810
#define ID_CAMERA_STOP 32811
#define ID_CAMERA_PLAY 32812
#define ID_FRAME_FIRST 32813
#define ID_FRAME_LAST 32814
#define ID_FRAME_PREVIOUS 32815
#define ID_FRAME_NEXT 32816
#define ID_FRAME_REWIND 32817
#define ID_FRAME_FAST_FORWARD 32818
#define ID_CAMERA_TRIGGER 32819
#define ID_EXPOSURE_DOWN 32829
#define ID_EXPOSURE_UP 32830
#define ID_EDIT_ROI 32841
#define ID_END_ACQUISITION 32842
#define ID_RESET_CAMERA 32843
#define ID_SAVE_SEQUENCE 57603

// Message texts.
#define IDS_CAMERA_TITLE 300
#define IDS_FRAME_OF 301
#define IDS_RECORDING 304
#define IDS_ERR_TIMEOUT 500
#define IDS_KEEP_FRAMES 501
#define IDS_ERR_BUFFER 503
#define IDS_ERR_BUSY 504
#define IDS_ERR_HARDWARE 505

// The view's right-button menu.
#define IDR_VIEW_MENU 154

// Sequence saving.
#define IDS_SAVING_FRAMES 508
#define IDS_SAVE_WRITE_FAILED 520
#define IDS_SAVE_READ_FAILED 521
#define IDS_SAVE_NAME_TOO_LONG 522
#define IDS_SAVE_NO_FRAMES 523
#define IDD_SAVE_PROGRESS 149
#define IDC_ABORT_SAVE 1010
#define IDC_SAVE_PROGRESS_BAR 1311
#define IDC_SAVE_MESSAGE 1312
