#include "renamer/folder_list_win.h"

#include <algorithm>

#include "renamer/wide_win.h"

namespace pelmora {

namespace {

constexpr int kIndent = 10;        // pixels per level
constexpr int kPictureWidth = 16;  // the folder picture and its gap to the text

}  // namespace

BEGIN_MESSAGE_MAP(CFolderList, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

void CFolderList::Init()
{
    folderFace_.CreateSolidBrush(RGB(255, 223, 96));
    folderOpenFace_.CreateSolidBrush(RGB(255, 244, 176));
    folderEdge_.Attach(::CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));

    TEXTMETRICW metrics{};
    {
        CClientDC dc(m_hWnd);
        ScopedSelectObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
        ::GetTextMetricsW(dc, &metrics);
    }
    const int height = std::max<int>(metrics.tmHeight + 2, 16);
    SendMessage(LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
}

bool CFolderList::SetPath(const CString& folder, FolderContents* read)
{
    FolderContents contents;
    if (!ReadFolder(folder, &contents))
        return false;
    std::vector<FolderLine> lines = BuildFolderTree(folder, contents.subfolders);
    path_ = lines[lines.size() - contents.subfolders.size() - 1].path;
    lines_ = std::move(lines);

    SendMessage(WM_SETREDRAW, FALSE);
    SendMessage(LB_RESETCONTENT);
    for (const FolderLine& line : lines_)
        ::SendMessageW(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line.text.view()).c_str()));
    // The current folder is the highlighted line, as in a folder tree.
    const WPARAM current = lines_.size() - contents.subfolders.size() - 1;
    SendMessage(LB_SETCURSEL, current);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();
    if (read)
        *read = std::move(contents);
    return true;
}

CString CFolderList::PathOfLine(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= lines_.size())
        return CString();
    return lines_[static_cast<std::size_t>(index)].path;
}

void CFolderList::DrawFolderPicture(HDC dc, int left, int top, bool open) const
{
    ScopedSelectObject pen(dc, folderEdge_);
    ScopedSelectObject brush(dc, open ? folderOpenFace_ : folderFace_);
    // The tab, then the body of the folder over it.
    ::Rectangle(dc, left, top, left + 6, top + 3);
    ::Rectangle(dc, left, top + 2, left + 13, top + 11);
    if (open) {
        // An open folder shows its front flap tilted down.
        const POINT flap[] = {{left + 2, top + 5}, {left + 14, top + 5}, {left + 12, top + 11}, {left, top + 11}};
        ::Polygon(dc, flap, 4);
    }
}

void CFolderList::DrawItem(DRAWITEMSTRUCT* item)
{
    HDC dc = item->hDC;
    const RECT& box = item->rcItem;
    if (item->itemID == static_cast<UINT>(-1) || item->itemID >= lines_.size()) {
        if (item->itemState & ODS_FOCUS)
            ::DrawFocusRect(dc, &box);
        return;
    }
    const FolderLine& line = lines_[item->itemID];
    const bool selected = (item->itemState & ODS_SELECTED) != 0;

    ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_WINDOW));
    const int left = box.left + 2 + line.depth * kIndent;
    const int pictureTop = box.top + (box.bottom - box.top - 11) / 2;
    DrawFolderPicture(dc, left, pictureTop, line.open);

    RECT textBox = box;
    textBox.left = left + kPictureWidth;
    const std::wstring text = Widen(line.text.view());
    const int length = static_cast<int>(text.size());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &extent);
    textBox.right = std::min<LONG>(box.right, textBox.left + extent.cx + 4);
    ::FillRect(dc, &textBox, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textArea = textBox;
    textArea.left += 2;
    ::DrawTextW(dc, text.c_str(), length, &textArea, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &textBox);
}

}  // namespace pelmora
