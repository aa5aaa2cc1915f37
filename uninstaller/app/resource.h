// Resource ids of kelrun.
#pragma once

#define IDR_MAINFRAME 128            // the frame: menu, icon group and title
#define IDD_SKIN_PAGE 131            // the dialog template every page window is built on
#define IDP_SOCKETS_INIT_FAILED 103  // "Windows sockets initialization failed."
#define ID_APP_EXIT 0xE141           // the frame menu's "Close"
