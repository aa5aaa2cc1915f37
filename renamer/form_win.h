// CForm: a top-level window laid out in twips, as the renamer's windows are.
//
// A form sizes its client area from twips (15 twips a pixel), opens centred
// on the screen, gives its children dialog keyboard handling (Tab, arrows,
// Enter, Escape), and counts itself among the program's open forms: the
// program ends when the last one is closed.
//
// A form's controls come from a table that reads like the form's design: one
// row a control with its class, text, position in twips, tab index, font,
// style and tool tip. CreateControls builds the table.
//
// The form and its controls are W windows, and every text is UTF-8 (see
// wide_win.h): a list shows any file name as it is.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/gdi_win.h"
#include "framework/tool_tip_win.h"
#include "framework/wnd_win.h"

namespace pelmora {

// Pixels for twips at 96 dots per inch.
constexpr int TwipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

// A font of a form's design. A control without a face keeps its class's font.
struct FormFont {
    const char* face = nullptr;
    double points = 0;
    bool bold = false;
    bool italic = false;
};

// A control's place on its form, in twips.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One control of a form's design.
struct ControlRow {
    CWnd* control = nullptr;  // the object the new window is bound to
    int id = 0;
    const char* className = nullptr;
    const char* text = nullptr;  // null: no text
    TwipsRect place;
    int tabIndex = 0;  // controls are made in this order, which is the order Tab visits them
    FormFont font;
    DWORD style = 0;  // WS_CHILD | WS_VISIBLE come on top
    DWORD exStyle = 0;
    const char* toolTip = nullptr;  // null: none
};

class CForm : public CWnd {
public:
    // Creates the form hidden; Show() makes it visible.
    bool CreateForm(const char* className, const char* caption, int clientWidthTwips,
                    int clientHeightTwips, HBRUSH background, HICON bigIcon, HICON smallIcon);
    void Show();

    bool PreTranslateMessage(MSG* message) override;

    static int OpenForms() { return openForms_; }

protected:
    // Makes the controls of a design in tab order, each with its font and tool
    // tip. False when a control cannot be made.
    bool CreateControls(const ControlRow* design, std::size_t count);
    template <std::size_t N>
    bool CreateControls(const ControlRow (&design)[N])
    {
        return CreateControls(design, N);
    }

    // Gives a control of the design another tool tip.
    void SetToolTip(HWND control, const CString& text);

    void PostNcDestroy() override;

    // Keeps the keyboard focus on the control that had it when the form was
    // last active, as a dialog does.
    LRESULT OnActivateForm(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusForm(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    bool CreateControl(const ControlRow& row);
    HFONT FontOf(const FormFont& wanted);

    static int openForms_;
    bool counted_ = false;
    HWND lastFocus_ = nullptr;  // borrowed: one of the form's controls
    // One font for each font of the design; controls borrow them, and they
    // outlive the windows, which a form may make again (About).
    std::vector<std::pair<FormFont, CFont>> fonts_;
    CToolTip toolTips_;
};

}  // namespace pelmora
