// Resource ids of Vantrel: dialogs, menus, icons, controls and commands.
#pragma once

// Dialog templates
#define IDD_MAIN 102
#define IDD_ABOUT 130
#define IDD_SETTINGS 148
#define IDD_CONFIRM_CLEAR 152
#define IDD_SEARCH_PROGRESS 153
#define IDD_SAVE_PROGRESS 159

// Menu, accelerators, pictures
#define IDR_MAIN_MENU 129
#define IDR_ACCELERATORS 147
#define IDI_MAIN 128
#define IDI_SETTING 134
#define IDI_SAVE_AS 135
#define IDI_EXIT 137
#define IDI_ABOUT 139
#define IDI_ADD_FILE 140
#define IDI_CANCEL 141
#define IDI_ADD_FOLDER 143
#define IDI_SAVE 145
#define IDI_OK 150
#define IDI_CONFIRM 154
#define IDI_CLEAR_ALL 157
#define IDB_BANNER 158
#define IDB_BANNER_2X 160

// Main window controls
#define IDC_ICON_LIST 1000
#define IDC_PATH_EDIT 1012
#define IDC_ADD_FILE 1013
#define IDC_ADD_FOLDER 1014
#define IDC_SAVE 1015
#define IDC_SAVE_AS 1016
#define IDC_CLEAR_ALL 1017
#define IDC_CONTAINED_LABEL 1022
#define IDC_SELECT_ALL 1026
#define IDC_VIEW_NORMAL 1030
#define IDC_VIEW_SMALL 1031
#define IDC_VIEW_LIST 1032

// About box
#define IDC_WEBSITE_LINK 1002
#define IDC_SUPPORT_LINK 1003
#define IDC_WEBSITE_CAPTION 1018
#define IDC_SUPPORT_CAPTION 1019
#define IDC_NOTICE 1021
#define IDC_BANNER 1024

// Setting dialog (1013 is its browse button, 1026 its "Select all icons")
#define IDC_BROWSE_FOLDER 1013
#define IDC_LIBRARY_FOLDER 1023
#define IDC_CONFIRM_CLEARING 1037
#define IDC_FILTER_EXE 1038
#define IDC_FILTER_DLL 1039
#define IDC_FILTER_ICO 1040
#define IDC_SAVE_GROUP 1041
#define IDC_FILTER_GROUP 1042
#define IDC_FILTER_ICL 1047
#define IDC_DEFAULT_TYPE 1049
#define IDC_TITLE_PREFIX 1052
#define IDC_PREFIX_LABEL 1053
#define IDC_TYPE_LABEL 1054
#define IDC_FILTER_CPL 1059
#define IDC_FILTER_SCR 1060
#define IDC_FILTER_OCX 1061
#define IDC_OPEN_DIR 1069

// Confirm dialog
#define IDC_DONT_ASK 1036

// Progress dialogs
#define IDC_FILE_COUNT 1044
#define IDC_ICON_COUNT 1045
#define IDC_CURRENT_FILE 1046
#define IDC_FILE_COUNT_LABEL 1067
#define IDC_ICON_COUNT_LABEL 1068
#define IDC_SAVE_PROGRESS 1063
#define IDC_SAVE_MESSAGE 1064
#define IDC_SAVE_PERCENT 1065
#define IDC_PERCENT_SIGN 1066

// Commands
#define ID_ADD_FILE 32771
#define ID_ADD_FOLDER 32772
#define ID_SAVE_AS 32773
#define ID_ABOUT 32775
#define ID_SETTING 32777
#define ID_EXIT 32778
#define ID_SAVE 32781
#define ID_CLEAR_ALL 32782
#define ID_HELP 32783
// Reached by its key only: the menus stay as they are.
#define ID_COPY_ICON 32784
#define ID_PICTURES_LARGER 32785
#define ID_PICTURES_SMALLER 32786
