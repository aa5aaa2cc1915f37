// Resource ids of kelrun.
#pragma once

#define IDR_MAINFRAME 128            // the frame: menu, icon group and title
#define IDD_SKIN_PAGE 131            // the dialog template every page window is built on
#define IDP_SOCKETS_INIT_FAILED 103  // "Windows sockets initialization failed."
#define ID_APP_EXIT 0xE141           // the frame menu's "Close"

// The eight icons that a page's icon control can show by name.
#define IDI_PAGE_INFO 132
#define IDI_PAGE_TYPICAL 133
#define IDI_PAGE_MINIMAL 134
#define IDI_PAGE_ERROR 135
#define IDI_PAGE_FOLDER 136
#define IDI_PAGE_SETUP 137
#define IDI_PAGE_CUSTOM 138
#define IDI_PAGE_EXCLAMATION 141
