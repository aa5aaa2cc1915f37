#include "uninstaller/skin/page_pools_win.h"

#include <algorithm>
#include <climits>

#include "uninstaller/common/product_values.h"
#include "uninstaller/controls/control_rules.h"

namespace {

RECT ToRect(const ControlRect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

int Saturate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// An existing file, not a folder: a BITMAP line without an image name
// names the page folder itself.
bool IsExistingFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsSilentRun()
{
    return TheProduct().RunMode == RunModeSilentUninstall;
}

}  // namespace

void ReportPictureFile(const PageReport* report, PictureFileStatus status, const CString& path)
{
    if (status == PictureFileStatus::TooLarge && report && *report)
        (*report)(PageLoadNote{OversizedPictureLine(path), nullptr, CString()});
}

template <std::size_t... PoolIndexes>
CWnd* PagePools::Find(std::size_t pool, std::size_t index, std::index_sequence<PoolIndexes...>)
{
    CWnd* found = nullptr;
    auto look = [&](auto& slots) {
        if (slots[index])
            found = &*slots[index];
    };
    ((pool == PoolIndexes ? look(std::get<PoolIndexes>(pools_)) : void()), ...);
    return found;
}

CWnd* PagePools::Object(ControlPool pool, int index)
{
    const auto poolIndex = static_cast<std::size_t>(pool);
    if (poolIndex >= ControlPoolCount || index < 0 || index >= MaxKindControls)
        return nullptr;
    return Find(poolIndex, static_cast<std::size_t>(index), std::make_index_sequence<ControlPoolCount>());
}

void PagePools::AddClientEdge(CWnd& control)
{
    control.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
}

ControlRect PagePools::CreatePicture(const ControlCreation& request, const RECT& area)
{
    CPictureStatic& picture = Fresh<ControlPool::Pictures>(request.kindIndex);
    // An unattended run shows no box, not even for a picture it cannot find.
    picture.SetSilent(IsSilentRun());
    ControlRect rect = request.rect;
    RECT shown = area;
    if (IsExistingFile(request.imagePath)) {
        ReportPictureFile(report_, picture.LoadPicture(request.imagePath), request.imagePath);
        // A picture that did not load keeps the size its line gives it.
        if (picture.IsPictureLoaded()) {
            rect.right = Saturate(static_cast<long long>(rect.left) + picture.GetPixelWidth());
            rect.bottom = Saturate(static_cast<long long>(rect.top) + picture.GetPixelHeight());
            shown = ToRect(rect);
        }
    }
    picture.Create(request.text, KindInfo(request.kind).windowStyle, shown, &page_,
                   static_cast<UINT>(request.controlId));
    page_.Invalidate(true);
    return rect;
}

ControlRect PagePools::CreateControl(const ControlCreation& request)
{
    ControlRect rect = request.rect;
    if (request.kindIndex < 0 || request.kindIndex >= MaxKindControls)
        return rect;
    const int slot = request.kindIndex;
    const char* text = request.text;
    const DWORD style = KindInfo(request.kind).windowStyle;
    const RECT area = ToRect(request.rect);
    const auto id = static_cast<UINT>(request.controlId);
    const HFONT font = PageFontHandle();

    // The set-up of each kind runs only on a window that was made: a
    // control object without a window would repaint the whole screen.
    switch (request.kind) {
    case ControlKind::Button:
        if (CColorButton& button = Fresh<ControlPool::Buttons>(slot); button.Create(text, style, area, &page_, id))
            button.SetFont(font);
        break;
    case ControlKind::Bitmap:
    case ControlKind::Hover:
        rect = CreatePicture(request, area);
        break;
    case ControlKind::Text:
        if (CColorStatic& label = Fresh<ControlPool::Texts>(slot); label.Create(text, style, area, &page_, id))
            label.UsePageFont(pageFont_);
        break;
    case ControlKind::Rect:
        if (CColorStatic& box = Fresh<ControlPool::Rects>(slot); box.Create(text, style, area, &page_, id))
            box.SetBackColor("255,255,255");
        break;
    case ControlKind::TextBox:
        if (CPageEdit& edit = Fresh<ControlPool::TextBoxes>(slot); edit.Create(text, style, area, &page_, id)) {
            edit.SetFont(font);
            AddClientEdge(edit);
        }
        break;
    case ControlKind::ComboBox:
        if (CPageComboBox& combo = Fresh<ControlPool::ComboBoxes>(slot);
            combo.Create(text, style, area, &page_, id)) {
            combo.SetFont(font);
            // The window's height is its drop-down list's; the page knows
            // the control by its selection field.
            rect.bottom = Saturate(static_cast<long long>(rect.top) + combo.GetItemHeight(-1) + 9);
        }
        break;
    case ControlKind::Radio:
    case ControlKind::CheckBox: {
        const bool radio = request.kind == ControlKind::Radio;
        CColorCheckButton& check = radio ? Fresh<ControlPool::Radios>(slot) : Fresh<ControlPool::CheckBoxes>(slot);
        if (check.Create(text, style, area, &page_, id)) {
            check.SetButtonStyle(radio ? BS_RADIOBUTTON : BS_CHECKBOX, true);
            check.SetFont(font);
        }
        break;
    }
    case ControlKind::HotSpot:
        Fresh<ControlPool::HotSpots>(slot).Create(text, style, area, &page_, id);
        break;
    case ControlKind::Animation:
        if (CColorStatic& box = Fresh<ControlPool::Animations>(slot); box.Create(text, style, area, &page_, id)) {
            box.SetFont(font);
            box.SetAlignment("Center");
        }
        break;
    case ControlKind::Progress:
        Fresh<ControlPool::ProgressBars>(slot).Create(text, style, area, &page_, id);
        break;
    case ControlKind::ListView:
        if (CColorStatic& list = Fresh<ControlPool::ListViews>(slot); list.Create(text, style, area, &page_, id)) {
            list.SetBackColor("255,255,255");
            AddClientEdge(list);
        }
        break;
    case ControlKind::GroupBox:
        if (CColorButton& group = Fresh<ControlPool::GroupBoxes>(slot); group.Create(text, style, area, &page_, id))
            group.SetFont(font);
        break;
    case ControlKind::Icon: {
        CPictureStatic& icon = Fresh<ControlPool::Icons>(slot);
        icon.SetSilent(IsSilentRun());
        icon.Create(text, style, area, &page_, id);
        break;
    }
    case ControlKind::Frame:
        Fresh<ControlPool::Frames>(slot).Create(text, style, area, &page_, id);
        break;
    case ControlKind::TreeView:
        if (CPageTreeCtrl& tree = Fresh<ControlPool::TreeViews>(slot); tree.Create(text, style, area, &page_, id)) {
            tree.SetFont(font);
            AddClientEdge(tree);
        }
        break;
    case ControlKind::RichText:
        // Without the rich edit library no window is made.
        if (CPageRichEditCtrl& rich = Fresh<ControlPool::RichTexts>(slot);
            rich.Create(text, style, area, &page_, id))
            AddClientEdge(rich);
        break;
    }
    return rect;
}

void PagePools::DestroyControl(int controlId)
{
    if (HWND child = ::GetDlgItem(page_.GetSafeHwnd(), controlId))
        ::DestroyWindow(child);
}
