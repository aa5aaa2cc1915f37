// ControlFactory: makes and destroys the windows of page controls. The page
// window implements it; the loader decides which control goes where, with
// which id, size, text and pool slot, and registers what the factory returns.
#pragma once

#include "framework/cstring.h"
#include "uninstaller/pages/control_kind.h"
#include "uninstaller/pages/page_control.h"

struct ControlCreation {
    ControlKind kind = ControlKind::Button;
    int kindIndex = 0;   // the slot of the kind's pool (PoolOf) whose object gets the window
    int controlId = 0;   // the child window id
    ControlRect rect;    // page client coordinates, size rule already applied
    CString text;        // the window text: the default caption, or empty
    CString imagePath;   // BITMAP and HOVER: the picture file (page folder + name); else empty
};

class ControlFactory {
public:
    virtual ~ControlFactory() = default;

    // Creates the window of the pool object with the page window as parent,
    // KindInfo(kind).windowStyle and windowClass, the id, rectangle and text
    // of the request, then does the kind's set-up:
    // - BUTTON, GROUPBOX, TEXTBOX, COMBOBOX, RADIO, CHECKBOX, ANIMATION,
    //   TREEVIEW: WM_SETFONT with the page font (0 when there is none);
    // - TEXT: UsePageFont, and the control learns its id;
    // - RECT: back colour "255,255,255", and the control learns its id;
    // - LISTVIEW: back colour "255,255,255";
    // - ANIMATION: alignment "Center";
    // - RADIO: BM_SETSTYLE to BS_RADIOBUTTON, CHECKBOX to BS_CHECKBOX (redraw);
    // - TEXTBOX, LISTVIEW, TREEVIEW, RICHTEXT: WS_EX_CLIENTEDGE added and the
    //   frame redrawn (SWP_FRAMECHANGED);
    // - RICHTEXT: the rich edit library is loaded first; without it no
    //   window is made;
    // - BITMAP, HOVER: before the window is made, the picture is loaded from
    //   imagePath when that names an existing file (not a folder); after, the
    //   page is redrawn.
    // Returns the rectangle to register: for a BITMAP or HOVER whose picture
    // loaded, the request's left top corner with the picture's size; for a
    // COMBOBOX, the request's rectangle with bottom = top + the height of its
    // selection field (CB_GETITEMHEIGHT, item -1) + 9; otherwise the request's
    // rectangle. A window that could not be made is not an error: return the
    // rectangle all the same. The control is registered after this call, so
    // the model holds no record of it yet.
    virtual ControlRect CreateControl(const ControlCreation& request) = 0;

    // Destroys the page window's child with this id; nothing when there is none.
    virtual void DestroyControl(int controlId) = 0;
};
