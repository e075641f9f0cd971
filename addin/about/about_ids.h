/* Control ids of the About box, shared by its dialog template and its dialog procedure. */
#ifndef MEZURA_ABOUT_IDS_H
#define MEZURA_ABOUT_IDS_H

#define IDC_ABOUT_CANCEL 2  /* IDCANCEL: Escape and the close box arrive as this command too */
#define IDC_ABOUT_HELP 8
#define IDC_ABOUT_VERSION 10

#endif
