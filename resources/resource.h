// Resource identifiers shared by the .rc sources and the code, one per line, banded by kind.
#pragma once

// The identifiers stand in aligned columns, as the resource tools write them.
// clang-format off
// Own texts
#define IDP_OLE_INIT_FAILED              100
#define IDS_BT_NOT_IDENTIFIED            101
#define IDS_SHEET_CAPTION                127
#define IDR_MAINFRAME                    128
#define IDS_STATUS_PAGE_TITLE            129
#define IDS_LABEL_BATTERY_STATUS         130
#define IDS_STATE_IDLE                   131
#define IDS_STATE_HIGH                   132
#define IDS_STATE_MIDDLE                 133
#define IDS_STATE_LOW                    134
#define IDS_STATE_CRITICAL               135
#define IDS_STATE_CHARGING               136
#define IDS_STATE_DISCHARGING            137
#define IDS_STATE_NO_BATTERY             138
#define IDS_LABEL_REMAINING              139
#define IDS_LABEL_NAME                   140
#define IDS_LABEL_IDENTIFIER             141
#define IDS_LABEL_MANUFACTURER           142
#define IDS_LABEL_CHEMISTRY              143
#define IDS_HEALTH_NORMAL                144
#define IDS_HEALTH_DECREASING            145
#define IDS_HEALTH_END_OF_LIFE           146
#define IDS_HEALTH_REPLACE               147
#define IDS_LIFE_PAGE_TITLE              150
#define IDS_CHARGE_GROUP                 151
#define IDS_CHARGE_CHECK                 152
#define IDS_CHARGE_NOTE                  153
#define IDS_OK                           154
#define IDS_BRAND                        155
#define IDS_UNIT_HOURS                   156
#define IDS_UNIT_MINUTES                 157
#define IDS_PERCENT_UNKNOWN              158

// Framework texts
#define AFX_IDS_APP_TITLE                57344
#define AFX_IDS_IDLEMESSAGE              57345
#define ID_EDIT_CLEAR                    57632
#define ID_EDIT_CLEAR_ALL                57633
#define ID_EDIT_COPY                     57634
#define ID_EDIT_CUT                      57635
#define ID_EDIT_FIND                     57636
#define ID_EDIT_PASTE                    57637
#define ID_EDIT_PASTE_LINK               57638
#define ID_EDIT_PASTE_SPECIAL            57639
#define ID_EDIT_REPEAT                   57640
#define ID_EDIT_REPLACE                  57641
#define ID_EDIT_SELECT_ALL               57642
#define ID_EDIT_UNDO                     57643
#define ID_EDIT_REDO                     57644
#define ID_WINDOW_SPLIT                  57653
#define ID_APP_ABOUT                     57664
#define ID_APP_EXIT                      57665
#define ID_NEXT_PANE                     57680
#define ID_PREV_PANE                     57681
#define ID_INDICATOR_EXT                 59136
#define ID_INDICATOR_CAPS                59137
#define ID_INDICATOR_NUM                 59138
#define ID_INDICATOR_SCRL                59139
#define ID_INDICATOR_OVR                 59140
#define ID_INDICATOR_REC                 59141
#define AFX_IDS_SCSIZE                   61184
#define AFX_IDS_SCMOVE                   61185
#define AFX_IDS_SCMINIMIZE               61186
#define AFX_IDS_SCMAXIMIZE               61187
#define AFX_IDS_SCNEXTWINDOW             61188
#define AFX_IDS_SCPREVWINDOW             61189
#define AFX_IDS_SCCLOSE                  61190
#define AFX_IDS_SCRESTORE                61202
#define AFX_IDS_SCTASKLIST               61203

// Dialog templates
#define IDD_ABOUTBOX                     100
#define IDD_LIFE_PAGE                    130
#define IDD_STATUS_PAGE                  131

// Bitmaps, one per power kind
#define IDB_NO_BATTERY                   133
#define IDB_CHARGE_OFF                   134
#define IDB_CHARGING                     135
#define IDB_ON_BATTERY                   137

// Controls of the status page
#define IDC_BATTERY_BAR                  1000
#define IDC_LABEL_STATUS                 1001
#define IDC_STATE_TEXT                   1002
#define IDC_PERCENT_TEXT                 1003
#define IDC_LABEL_NAME                   1004
#define IDC_NAME_TEXT                    1005
#define IDC_LABEL_IDENTIFIER             1006
#define IDC_IDENTIFIER_TEXT              1007
#define IDC_LABEL_MANUFACTURER           1008
#define IDC_MANUFACTURER_TEXT            1009
#define IDC_LABEL_CHEMISTRY              1010
#define IDC_CHEMISTRY_TEXT               1011
#define IDC_HEALTH_TEXT                  1012
#define IDC_LABEL_TIME                   1016
#define IDC_TIME_TEXT                    1017
#define IDC_STATUS_PICTURE               1018

// Controls that code never addresses
#define IDC_STATIC                       (-1)

// Controls of the life page
#define IDC_CHARGE_GROUP                 1013
#define IDC_DISABLE_CHARGING             1014
#define IDC_CHARGE_NOTE                  1015
// clang-format on
