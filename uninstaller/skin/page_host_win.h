// PageHost: what a page window needs of the program's main window. The main
// window implements it; a page finds it as the application's main window.
// It owns the page font that every page and control borrows, remakes it for
// each page, and takes the clicks that a page does not handle itself.
#pragma once

#include "framework/cstring.h"
#include "framework/gdi_win.h"

class CSkinDialog;

class PageHost {
public:
    virtual ~PageHost() = default;

    // A click on a page control whose id name the page does not handle
    // itself. Returns true when it opened another page.
    virtual bool OnPageCommand(int controlId, int recordIndex, int clickAction, const CString& idName,
                               CSkinDialog* page, const CString& pageFileName) = 0;

    // A page ends the program: its close box, its cancel control. The
    // quit request is the host's to post, with the exit code the run has
    // come to; by default 0.
    virtual void QuitFromPage();

    // `page` was ended by Back or Next once another page was up: it is
    // hidden and never shown again. Called when the page's own handling is
    // over, so the host may destroy it once the call has returned.
    virtual void OnPageEnded(CSkinDialog* page) { static_cast<void>(page); }

    // A page's folder browse made `folder` the installation folder. A
    // removal that is running takes it for the steps it has still to do.
    virtual void OnInstallFolderChanged(const CString& folder) { static_cast<void>(folder); }

    // The shared page font. The object stays the same for the life of the
    // host; CreatePageFont only changes the font it holds, so a page that
    // keeps the pointer always sees the current font. Pages never delete it.
    virtual const CFont* GetPageFont() const = 0;

    // Remakes the page font from the system's status-bar font: the face,
    // `height` (0: from `pointSize` and the screen's pixels per inch), weight
    // 700 for bold 255 else 400, italic for italic 255.
    virtual void CreatePageFont(const CString& faceName, int height, int bold, int italic, int pointSize) = 0;
};

// The application's main window as a page host, or null when it is none.
PageHost* FindPageHost();

// Makes a page font as CreatePageFont describes into `font` (the font it
// held is deleted). False when the system makes no font.
bool MakePageFont(CFont& font, const CString& faceName, int height, int bold, int italic, int pointSize);
