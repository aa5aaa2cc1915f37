// The page kinds whose classes add nothing, the etched frame, and the reuse
// of a control object for the next page after its window was destroyed.
#include "uninstaller/controls/color_static_win.h"
#include "uninstaller/controls/etched_frame_win.h"
#include "uninstaller/controls/page_controls_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "uninstaller/controls/tests/control_test_support_win.h"

namespace {

using controltest::PrintedControl;
using controltest::Rect;
using controltest::TestPage;

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

TEST(PlainControlsTest, EachKindMakesAWorkingWindowOfItsSystemClass)
{
    TestPage page;
    CPageComboBox combo;
    CPageEdit edit;
    CPageProgressCtrl progress;
    CPageRichEditCtrl rich;
    CPageTreeCtrl tree;
    const struct {
        const char* kind;
        CWnd& control;
        std::function<bool(const RECT&, UINT)> create;
        const char* className;
    } kinds[] = {
        {"COMBOBOX", combo, [&](const RECT& r, UINT id) { return combo.Create("", 0x50000803, r, &page, id); },
         "ComboBox"},
        {"TEXTBOX", edit, [&](const RECT& r, UINT id) { return edit.Create("", 0x50010004, r, &page, id); }, "Edit"},
        {"PROGRESS", progress,
         [&](const RECT& r, UINT id) { return progress.Create("", 0x50000000, r, &page, id); }, "msctls_progress32"},
        {"RICHTEXT", rich, [&](const RECT& r, UINT id) { return rich.Create("", 0x50201004, r, &page, id); },
         "RICHEDIT"},
        {"TREEVIEW", tree, [&](const RECT& r, UINT id) { return tree.Create("", 0x50000002, r, &page, id); },
         "SysTreeView32"},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        const UINT id = page.NextId();
        ASSERT_TRUE(kind.create(Rect(10, 10, 200, 120), id));
        EXPECT_EQ(page.GetDlgItem(static_cast<int>(id)), kind.control.GetSafeHwnd());
        EXPECT_STRCASEEQ(ClassOf(kind.control).c_str(), kind.className);
        EXPECT_FALSE(kind.create(Rect(10, 10, 200, 120), page.NextId())) << "one window per object";
    }

    // The few calls the page makes on them work on the real windows.
    EXPECT_GT(combo.GetItemHeight(-1), 0);
    progress.SetRange32(0, 40);
    progress.SetPos(30);
    EXPECT_EQ(progress.GetPos(), 30);
    EXPECT_NE(tree.InsertItem("C:\\"), nullptr);
    edit.SetWindowText("typed");
    EXPECT_EQ(edit.GetWindowText(), "typed");
    rich.SetWindowText("rich");
    EXPECT_EQ(rich.GetWindowText(), "rich");
}

TEST(EtchedFrameTest, PaintsAnEdgeAndNothingInside)
{
    TestPage page;
    CEtchedFrame frame;
    ASSERT_TRUE(frame.Create("", 0x50000000, Rect(10, 10, 80, 50), &page, page.NextId()));
    const COLORREF underneath = RGB(255, 0, 255);
    const PrintedControl printed(frame, underneath);
    for (int x = 4; x < 76; x += 8) {
        SCOPED_TRACE(x);
        EXPECT_NE(printed.At(x, 0), underneath);
        EXPECT_NE(printed.At(x, 49), underneath);
        EXPECT_EQ(printed.At(x, 25), underneath);
    }
    EXPECT_NE(printed.At(0, 25), underneath);
    EXPECT_NE(printed.At(79, 25), underneath);
    EXPECT_EQ(printed.At(2, 2), underneath) << "the edge is two pixels wide";
}

TEST(ControlReuseTest, ObjectMakesANewWindowAfterThePageDestroyedItsOldOne)
{
    TestPage page;
    CColorStatic text;
    const UINT firstId = page.NextId();
    ASSERT_TRUE(text.Create("first page", 0x50000000, Rect(10, 10, 120, 24), &page, firstId));
    text.SetBackColor("0,0,255");

    // The page destroys its controls by id when it loads the next page.
    ::DestroyWindow(page.GetDlgItem(static_cast<int>(firstId)));
    EXPECT_EQ(text.GetSafeHwnd(), nullptr);

    ASSERT_TRUE(text.Create("", 0x50000000, Rect(10, 10, 120, 24), &page, page.NextId()));
    const PrintedControl printed(text, RGB(255, 0, 255));
    EXPECT_EQ(printed.Count(RGB(0, 0, 255)), 120 * 24) << "the settings outlive the window";
}

}  // namespace
