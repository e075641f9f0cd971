/* Resource ids of the installer: dialog controls and string table, shared by setup.rc and the code. */
#ifndef MEZURA_SETUP_IDS_H
#define MEZURA_SETUP_IDS_H

/* WELCOME */
#define IDC_WELCOME_RECOMMEND 103 /* "Setup recommends installing ..." */
#define IDC_WELCOME_PROMPT 104    /* how to choose another location */
#define IDC_WELCOME_DEST 101      /* destination directory edit */
#define IDC_WELCOME_SOURCE 106    /* source directory edit */

/* STATUS */
#define IDC_STATUS_PHASE 103  /* what the installer is doing */
#define IDC_STATUS_DETAIL 104 /* the file or directory at hand */
#define IDC_STATUS_MODULE 105 /* "Module: <product>" */

/* COMPARE: button 1 installs the source file, button 2 skips it */
#define IDC_COMPARE_HEADER 1100 /* column titles, tab stops as the list */
#define IDC_COMPARE_LIST 1101   /* one row per version value */

/* Strings: every message the installer shows, and the texts of its dialogs (setup_strings.inc). */
#define IDS_RECOMMEND 1001
#define IDS_PROMPT 1002
#define IDS_NO_MEMORY 1003
#define IDS_SCRIPT_NOT_FOUND 1004
#define IDS_NO_SPACE 1005
#define IDS_CANNOT_CREATE_DIR 1006
#define IDS_CONFIRM_CANCEL 1007
#define IDS_NOT_INSTALLED 1008
#define IDS_SCRIPT_ERROR 1010
#define IDS_DONE 1011
#define IDS_DONE_NO_GROUP 1012
#define IDS_FILE_IN_USE 1014
#define IDS_PATH_TOO_LONG 1015
#define IDS_VIF_CANNOTCREATE 1016
#define IDS_VIF_CANNOTDELETE 1017
#define IDS_VIF_CANNOTRENAME 1018
#define IDS_VIF_OUTOFSPACE 1019
#define IDS_VIF_ACCESSVIOLATION 1020
#define IDS_VIF_SHARINGVIOLATION 1021
#define IDS_VIF_OUTOFMEMORY 1022
#define IDS_VIF_CANNOTREADSRC 1023
#define IDS_VIF_CANNOTREADDST 1024
#define IDS_VIF_DIFFCODEPG 1025
#define IDS_VIF_FILEINUSE 1026
#define IDS_VIF_WRITEPROT 1027
#define IDS_CONFLICT 1028
#define IDS_NO_EXCEL 1029
#define IDS_MODULE 1030
#define IDS_NO_ADDIN_MANAGER 1031
/* Ours: a WELCOME entry that cannot be used as a directory (too long once expanded, or refused
   by the path parser). */
#define IDS_BAD_DIRECTORY 1032
/* Ours: the add-in added to Excel's settings, silent runs and the removal (SETUP.EXE /U). */
#define IDS_DONE_ADDIN 1033
#define IDS_DONE_ADDIN_NO_GROUP 1034
#define IDS_EXCEL_RUNNING 1035
#define IDS_BAD_COMMAND_LINE 1036
#define IDS_LOG_FAILED 1037
#define IDS_CONFIRM_REMOVE 1038
#define IDS_NOTHING_TO_REMOVE 1039
#define IDS_EXCEL_RUNNING_REMOVE 1040
#define IDS_REMOVED 1041
#define IDS_REMOVED_NO_GROUP 1042
#define IDS_FILES_LEFT 1043

#endif
