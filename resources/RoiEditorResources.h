// Resource numbers of the region-of-interest editor.
#pragma once

#define IDD_ROI_EDITOR 148
#define IDC_ROI_PICTURE 1309
#define IDC_ROI_RESET 1310
#define IDC_ROI_X0 1055
#define IDC_ROI_Y0 1056
#define IDC_ROI_WIDTH 1057
#define IDC_ROI_HEIGHT 1058
#define IDC_ROI_SENSOR_WIDTH 1059
#define IDC_ROI_SENSOR_HEIGHT 1060
