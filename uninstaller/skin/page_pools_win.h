// PagePools: the control objects of a page, 15 a pool, and the factory that
// makes their windows. A slot gets a fresh object for every control made in
// it, so nothing of an earlier page's control (its font, brush or picture)
// carries over to the next one.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <tuple>
#include <utility>

#include "framework/gdi_win.h"
#include "framework/wnd_win.h"
#include "uninstaller/controls/color_button_win.h"
#include "uninstaller/controls/color_check_button_win.h"
#include "uninstaller/controls/color_static_win.h"
#include "uninstaller/controls/etched_frame_win.h"
#include "uninstaller/controls/page_controls_win.h"
#include "uninstaller/controls/picture_static_win.h"
#include "uninstaller/pages/control_factory.h"
#include "uninstaller/pages/page_loader.h"

// Gives the load report (when there is one) its line for a picture file
// over 32 MB; other outcomes report nothing.
void ReportPictureFile(const PageReport* report, PictureFileStatus status, const CString& path);

class PagePools : public ControlFactory {
public:
    // `page` is the parent of every control; it outlives the pools' windows.
    explicit PagePools(CWnd& page) : page_(page) {}
    PagePools(const PagePools&) = delete;
    PagePools& operator=(const PagePools&) = delete;

    // The page font the controls are given as they are made (borrowed; null:
    // none, and WM_SETFONT gets 0).
    void UsePageFont(const CFont* font) { pageFont_ = font; }
    // Where a picture file over 32 MB is reported (borrowed; null: nowhere).
    void SetReport(const PageReport* report) { report_ = report; }

    ControlRect CreateControl(const ControlCreation& request) override;
    void DestroyControl(int controlId) override;

    // The object in slot `index` of `pool`; null while the slot holds none.
    CWnd* Object(ControlPool pool, int index);
    // The object of a record, as the class its pool holds; null when the slot
    // is empty or holds another class.
    template <typename Control>
    Control* ObjectOf(const PageControl& control)
    {
        return dynamic_cast<Control*>(Object(PoolOf(control.KindCode), control.KindIndex));
    }

private:
    template <typename Control>
    using Pool = std::array<std::optional<Control>, MaxKindControls>;
    // In the order of ControlPool.
    using Pools = std::tuple<Pool<CColorButton>, Pool<CPictureStatic>, Pool<CColorStatic>, Pool<CColorStatic>,
                             Pool<CPageEdit>, Pool<CPageComboBox>, Pool<CColorCheckButton>, Pool<CColorStatic>,
                             Pool<CColorStatic>, Pool<CPageProgressCtrl>, Pool<CColorStatic>, Pool<CColorButton>,
                             Pool<CPictureStatic>, Pool<CEtchedFrame>, Pool<CPageTreeCtrl>,
                             Pool<CColorCheckButton>, Pool<CPageRichEditCtrl>>;
    static_assert(std::tuple_size<Pools>::value == ControlPoolCount, "one pool a ControlPool");

    // A new object in the slot; the one it held (and its window) goes.
    template <ControlPool pool>
    auto& Fresh(int index)
    {
        auto& slot = std::get<static_cast<std::size_t>(pool)>(pools_)[static_cast<std::size_t>(index)];
        slot.reset();
        return slot.emplace();
    }
    template <std::size_t... PoolIndexes>
    CWnd* Find(std::size_t pool, std::size_t index, std::index_sequence<PoolIndexes...>);

    HFONT PageFontHandle() const { return pageFont_ ? pageFont_->GetSafeHandle() : nullptr; }
    ControlRect CreatePicture(const ControlCreation& request, const RECT& area);
    static void AddClientEdge(CWnd& control);

    CWnd& page_;                       // borrowed: the page window
    const CFont* pageFont_ = nullptr;  // borrowed from the page host
    const PageReport* report_ = nullptr;  // borrowed from the page window
    Pools pools_;
};
