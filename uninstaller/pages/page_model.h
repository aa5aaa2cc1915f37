// PageModel: what a page window knows of its page: the control records in
// INFO order, the fill of each kind's pool, the current object that
// property operations address, and the window's own settings. It acts on the
// window and its controls only through a PageSurface.
#pragma once

#include <array>

#include "framework/cstring.h"
#include "uninstaller/pages/control_kind.h"
#include "uninstaller/pages/page_control.h"
#include "uninstaller/pages/page_surface.h"

// The MAINWINDOW values of the page, as stored by the window properties and
// the page font.
struct WindowSettings {
    CString startup;
    CString idcname;
    CString caption;    // after placeholder substitution
    CString bkimage;    // braces removed
    CString border;
    CString bkcolor;    // "COLOR_BTNFACE" when the page gives none
    CString soundfile;  // braces removed; nothing plays it
    int width = 0;
    int height = 0;
    CString minwindow;
    CString maxwindow;
    CString closewindow;
    CString fontname;
    CString fontsize;   // the point size in decimal
    CString fontbold;   // "Yes" or "No"
    CString fontitalic; // "Yes" or "No"
};

// The window properties' numbers, in the order the loader applies them.
enum WindowProperty {
    PropIdcName = 0,
    PropCaption = 1,
    PropBkColor = 2,
    PropBorder = 3,
    PropBkImage = 4,
    PropSoundFile = 5,
    PropStartup = 6,
    PropMinWindow = 7,
    PropMaxWindow = 8,
    PropCloseWindow = 9,
};

// The value of CurrentKind while the window itself is current.
constexpr const char* WindowKindName = "WINDOW";

class PageModel {
public:
    static constexpr int FirstControlId = 3000;

    explicit PageModel(PageSurface& surface);
    PageModel(const PageModel&) = delete;
    PageModel& operator=(const PageModel&) = delete;

    PageSurface& Surface() { return surface_; }

    // ---- State

    CString PagePath;   // full path of the loaded page file
    int PageIndex = 0;  // this page's place in the wizard
    int PageCount = 0;  // pages in the wizard
    int ProgressIndex = -1;  // pool slot of the last progress bar made, -1 while none
    WindowSettings Settings;

    int ControlCount() const { return count_; }
    // Record `index`, which must be 0 to ControlCount() - 1; record 0 is the
    // one registered last, so that record i holds the control of INFO key i.
    // A reference keeps naming the same control until ClearControls: a
    // registration changes the indexes, not where records are kept.
    const PageControl& Control(int index) const;
    int PoolCount(ControlPool pool) const { return poolCounts_[static_cast<std::size_t>(pool)]; }
    int NextControlId() const { return nextControlId_; }
    int CreatedCount() const { return createdCount_; }  // controls made since the reset

    // The current object: -1 and "WINDOW" for the window, else a record
    // index and that record's kind keyword.
    int CurrentControl() const { return currentControl_; }
    const CString& CurrentKind() const { return currentKind_; }
    void SelectWindow();
    // Makes record `index` current; ignored when there is no such record.
    void SelectControl(int index);

    // ---- Building a page

    // Empties the model (no records, empty pools, ids from 3000, the window
    // current, no progress bar). The windows are the caller's business.
    void ClearControls();

    // Puts a new record at the front: rect, id, kind and slot as given, no
    // properties, the kind's default id name; makes it current and returns
    // ControlCount() - 1. Earlier records move back one place with all their
    // fields. With the table full (70 records) nothing is stored and the
    // result is -1.
    int RegisterControl(const ControlRect& rect, int controlId, ControlKind kind, int kindIndex);

    // Counts one control made in `kind`'s pool: the next id, the creation
    // counter and the pool count go up by one. Returns false, counting
    // nothing, when the pool is full.
    bool CountCreatedControl(ControlKind kind);

    // The loaded properties of record `index`: their number (kept within 0
    // to 20) and each entry by position. Out-of-range records and positions
    // are ignored.
    void SetPropertyCount(int index, int count);
    // Where record `index` comes from in the page file (ignored when there
    // is no such record).
    void SetSourceKeys(int index, int infoKey, int propertyKey);
    void SetLoadedProperty(int index, int position, const CString& name, const CString& value, int number);

    // ---- Properties

    // Applies one property to the current object. For the window, `position`
    // is the window property number (WindowProperty); numbers outside 0 to 9
    // change nothing, and after every one the window is shown on the taskbar.
    // For a control, the value is stored at `position` of the current record
    // (nothing is stored outside 0 to 19), then the kind acts on `name`.
    void SetProperty(const CString& name, const CString& value, int position);

    // The page font: stores it in the settings (fontbold and fontitalic as
    // "Yes" or "No") and has the surface remake it.
    void SetPageFont(const FontSpec& font, int height);

    // Applies a colour text to the current object: the window's back colour
    // (which 1; the window has no text colour), or the current control's
    // colour by `which`.
    void SetControlColor(const CString& colorText, int which);

    // After a page is loaded: for every record in order, its id name, its
    // font and the properties that act at load, and for buttons the
    // navigation rules. The last record stays current.
    void ApplyLoadedProperties();

    // ---- Lookups (first match in record order)

    // The control id of the first record named exactly `idName`, or -1.
    int FindControlId(const CString& idName) const;
    // The index of the first record with this control id, or -1.
    int FindRecordIndex(int controlId) const;
    // The pool slot of the first record with this control id, or -1.
    int FindKindIndex(int controlId) const;
    // The click action of record `index`: from its "On Click" or "Mouse
    // Click" properties, the number before the first "-" of the value (0
    // when it has no "-"); the last such property wins, an empty value stops
    // the search with -1; -1 when there is none or no such record.
    int GetClickAction(int index) const;

private:
    PageControl& MutableControl(int index);
    void SetWindowProperty(const CString& value, int position);
    void SetControlProperty(const CString& name, const CString& value, int position);
    void StoreValue(int position, const CString& value);
    void SetBackColorProperty(PageControl& control, const CString& value, int position);
    void ApplyFontRows(const PageControl& control, int firstPosition);
    void ApplyRow(const PageControl& control, const char* name, int position);
    void ApplyNavigationRules(const PageControl& control);

    PageSurface& surface_;
    // The records fill the table from its end towards its start: record 0
    // is slot first_, so putting a record in front moves nothing.
    std::array<PageControl, MaxPageControls> controls_;
    int first_ = MaxPageControls;
    int count_ = 0;
    std::array<int, ControlPoolCount> poolCounts_{};
    int nextControlId_ = FirstControlId;
    int createdCount_ = 0;
    int currentControl_ = -1;
    CString currentKind_ = WindowKindName;
};
