// A stand-in for the page window: it records every surface and factory call
// as one line of text in one ordered list, so that tests can check what
// happened and in which order. A control shows as KIND#slot.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "uninstaller/pages/control_factory.h"
#include "uninstaller/pages/page_surface.h"

class RecordingPage : public PageSurface, public ControlFactory {
public:
    std::vector<std::string> events;
    ColorRgb buttonFace{212, 208, 200};
    // Pictures that "load" for BITMAP and HOVER: path -> width, height.
    std::map<std::string, std::pair<int, int>> pictures;
    int comboFieldHeight = 17;

    bool Has(const std::string& event) const
    {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    // Position of the first such event, or -1.
    int IndexOf(const std::string& event) const
    {
        const auto found = std::find(events.begin(), events.end(), event);
        return found == events.end() ? -1 : static_cast<int>(found - events.begin());
    }
    // The events that begin with `prefix`, in order.
    std::vector<std::string> Starting(const std::string& prefix) const
    {
        std::vector<std::string> result;
        for (const std::string& event : events) {
            if (event.compare(0, prefix.size(), prefix) == 0)
                result.push_back(event);
        }
        return result;
    }

    static std::string Name(const PageControl& control)
    {
        return control.Kind.str() + "#" + std::to_string(control.KindIndex);
    }

    void SetWindowTitle(const CString& title) override { Add("title " + title.str()); }
    void SetWindowBackColor(const CString& colorText) override { Add("window color " + colorText.str()); }
    void SetWindowStyle(WindowStyleBit bit, bool on) override
    {
        static const char* const names[] = {"border", "minimize", "maximize", "sysmenu"};
        Add(std::string("style ") + names[static_cast<int>(bit)] + (on ? " on" : " off"));
    }
    void ShowOnTaskbar() override { Add("taskbar"); }
    void SetBackgroundImage(const CString& path) override { Add("image " + path.str()); }
    void ClearBackgroundImage() override { Add("no image"); }
    void SetPageFont(const FontSpec& font, int height) override { Add("page font " + Font(font) + "," + std::to_string(height)); }
    void RedrawPage() override { Add("redraw"); }
    ColorRgb ButtonFaceColor() override { return buttonFace; }

    void SetControlText(const PageControl& c, const CString& text) override { Add("text " + Name(c) + " " + text.str()); }
    void SetControlColor(const PageControl& c, const CString& colorText, int which) override
    {
        Add("color " + Name(c) + " " + std::to_string(which) + " " + colorText.str());
    }
    void SetControlFont(const PageControl& c, const FontSpec& font) override { Add("font " + Name(c) + " " + Font(font)); }
    void SetTextAlignment(const PageControl& c, const char* word) override { Add("align " + Name(c) + " " + word); }
    void SetLinkStyle(const PageControl& c, int flag) override { Add("link " + Name(c) + " " + std::to_string(flag)); }
    void SetSecondColor(const PageControl& c, const CString& colorText) override
    {
        Add("second color " + Name(c) + " " + colorText.str());
    }
    void SetPictureBackColor(const PageControl& c, const CString& colorText) override
    {
        Add("picture color " + Name(c) + " " + colorText.str());
    }
    void SetIconIndex(const PageControl& c, int index) override { Add("icon " + Name(c) + " " + std::to_string(index)); }
    void LoadPicture(const PageControl& c, const CString& path) override { Add("picture " + Name(c) + " " + path.str()); }
    void SetControlBorder(const PageControl& c, bool on) override { Add("border " + Name(c) + (on ? " on" : " off")); }
    void AddExtendedStyle(const PageControl& c, std::uint32_t exStyles) override
    {
        Add("ex style " + Name(c) + " " + std::to_string(exStyles));
    }
    void MakeDefaultButton(const PageControl& c) override { Add("default " + Name(c)); }
    void EnableControl(const PageControl& c, bool enable) override { Add((enable ? "enable " : "disable ") + Name(c)); }

    ControlRect CreateControl(const ControlCreation& r) override
    {
        Add("create " + std::string(KindInfo(r.kind).keyword) + "#" + std::to_string(r.kindIndex) + " id " +
            std::to_string(r.controlId) + " at " + std::to_string(r.rect.left) + "," + std::to_string(r.rect.top) +
            "," + std::to_string(r.rect.right) + "," + std::to_string(r.rect.bottom) + " text \"" + r.text.str() +
            "\"" + (r.imagePath.IsEmpty() ? "" : " image " + r.imagePath.str()));
        ControlRect rect = r.rect;
        const auto picture = pictures.find(r.imagePath.str());
        if (picture != pictures.end()) {
            rect.right = rect.left + picture->second.first;
            rect.bottom = rect.top + picture->second.second;
        }
        if (r.kind == ControlKind::ComboBox)
            rect.bottom = rect.top + comboFieldHeight + 9;
        return rect;
    }
    void DestroyControl(int controlId) override { Add("destroy " + std::to_string(controlId)); }

private:
    static std::string Font(const FontSpec& f)
    {
        return f.face.str() + "," + std::to_string(f.points) + "," + std::to_string(f.bold) + "," +
               std::to_string(f.italic);
    }
    void Add(std::string event) { events.push_back(std::move(event)); }
};
