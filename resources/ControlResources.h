// Resource ids of the control shell: type names, property page, About box and pictures.
#pragma once

#define IDS_SELVAR_TYPE_NAME 1
#define IDS_SELVAR_PAGE_TYPE_NAME 2
#define IDS_SELVAR_PAGE_CAPTION 3
#define IDB_SELVAR_TOOLBOX 1
#define IDD_ABOUTBOX_SELVAR 1
#define IDI_ABOUTDLL 128  // the frame's camera icon, drawn with the workstation's pictures
#define IDD_PROPPAGE_SELVAR 200
#define IDC_ENUM_FILTER 214
#define IDC_SERIAL_NUMBER 215
#define IDC_PRODUCT_NUMBER 216
#define IDC_PAGE_STATUS 217
#define IDS_PAGE_PID_REFUSED 4
#define IDS_PAGE_SERIAL_REFUSED 5
