// Resource numbers of the Save Sequence and Codec dialogs, their texts and the Browse icon.
#pragma once

#define IDD_SAVE_SEQUENCE 142
#define IDD_CODEC 215
#define IDI_BROWSE 205

// Save Sequence dialog.
#define IDC_SAVE_INFO 1119
#define IDC_SAVE_FOLDER 204
#define IDC_SAVE_BROWSE 207
#define IDC_SAVE_PREFIX 206
#define IDC_SAVE_RATE 211
#define IDC_SAVE_FILE_TYPE 1048
#define IDC_SAVE_CODEC 217
#define IDC_SAVE_FROM 208
#define IDC_SAVE_TO 209
#define IDC_SAVE_STEP 210
#define IDC_SAVE_FROM_SPIN 1011
#define IDC_SAVE_TO_SPIN 1012
#define IDC_SAVE_STEP_SPIN 1013

// Codec dialog.
#define IDC_CODEC_LIST 212
#define IDC_CODEC_QUALITY_TEXT 220
#define IDC_CODEC_QUALITY 221

#define IDS_BROWSE_TITLE 209
#define IDS_SAVE_INFO 305
// The file-type list's texts, in the list's order: types 1, 2, 3, 4, 11, 12, 14, 17, 20.
#define IDS_TYPE_TIFF 220
#define IDS_TYPE_BMP 221
#define IDS_TYPE_JPEG 222
#define IDS_TYPE_PNG 223
#define IDS_TYPE_MULTIPAGE_TIFF 224
#define IDS_TYPE_MULTIPAGE_RAW 225
#define IDS_TYPE_AVI 226
#define IDS_TYPE_COMPRESSED 227
#define IDS_TYPE_MOV 228

// What the Save command tells the operator when a save fails.
#define IDS_SAVE_WRITE_FAILED 530
#define IDS_SAVE_NAME_TOO_LONG 531
#define IDS_SAVE_NO_FRAMES 532
