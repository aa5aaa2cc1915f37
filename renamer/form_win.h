// CForm: a top-level window laid out in twips, as the renamer's windows are.
//
// A form sizes its client area from twips (15 twips a pixel), opens centred
// on the screen, gives its children dialog keyboard handling (Tab, arrows,
// Enter, Escape), and counts itself among the program's open forms: the
// program ends when the last one is closed.
#pragma once

#include "framework/wnd_win.h"

namespace pelmora {

// Pixels for twips at 96 dots per inch.
constexpr int TwipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

class CForm : public CWnd {
public:
    // Creates the form hidden; Show() makes it visible.
    bool CreateForm(const char* className, const char* caption, int clientWidthTwips,
                    int clientHeightTwips, HBRUSH background, HICON bigIcon, HICON smallIcon);
    void Show();

    bool PreTranslateMessage(MSG* message) override;

    static int OpenForms() { return openForms_; }

protected:
    // Creates a child control at a position in twips and binds it to `control`.
    bool CreateControl(CWnd& control, const char* className, const char* text, DWORD style,
                       DWORD exStyle, int left, int top, int width, int height, int id, HFONT font);

    void PostNcDestroy() override;

    // Keeps the keyboard focus on the control that had it when the form was
    // last active, as a dialog does.
    LRESULT OnActivateForm(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocusForm(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static int openForms_;
    bool counted_ = false;
    HWND lastFocus_ = nullptr;  // borrowed: one of the form's controls
};

}  // namespace pelmora
