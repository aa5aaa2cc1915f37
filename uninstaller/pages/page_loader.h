// PageLoader: turns a page file into a live page: it resets the page,
// applies the window's settings, creates the controls of the INFO section
// with their DADOS properties, and applies the properties that act at load.
//
// The tables of a page are fixed: 70 controls, 15 of one kind (BITMAP and
// HOVER together), 20 properties a control. What lies beyond is left out and
// the rest of the page loads: a page keeps its first 70 controls in INFO
// order and, of each kind, the first 15; of a control's properties the first
// 20. Every control or property left out, and every INFO line whose kind is
// no keyword, is reported as one line of text. Of INFO, no more than the
// first MaxInfoLinesRead lines are read.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "framework/cstring.h"
#include "uninstaller/pages/control_factory.h"
#include "uninstaller/pages/page_model.h"
#include "uninstaller/pages/page_values.h"
#include "uninstaller/pages/profile_reader.h"

// INFO lines read at most for one page, whatever they create. No page needs
// more than 70; the bound keeps a page of countless lines from taking
// minutes to load.
constexpr int MaxInfoLinesRead = 1000;

// One thing of a page that was left out: a line of text that says what and
// why, and where the page file holds it, so that a checker can point at its
// line. A note reads as its text wherever a line is wanted, so a report
// that only prints lines may take `const CString&`.
struct PageLoadNote {
    CString text;
    const char* section = nullptr;  // "INFO" or "DADOS"; null for a line given to CreateControlFromInfo
    CString key;                    // the key in that section
    operator const CString&() const { return text; }  // NOLINT: a note is its line
};

// The keys of MAINWINDOW, in the order the loader reads them.
enum WindowKey {
    KeyIdcName,
    KeyCaption,
    KeyBkImage,
    KeyBorder,
    KeyStartup,
    KeyBkColor,
    KeyWidth,
    KeyHeight,
    KeySoundFile,
    KeyMinWindow,
    KeyMaxWindow,
    KeyCloseWindow,
    KeyFontName,
    KeyFontSize,
    KeyFontBold,
    KeyFontItalic,
    WindowKeyCount,
};
extern const char* const WindowKeyNames[WindowKeyCount];

// Receives one note for each thing of a page that was left out.
using PageReport = std::function<void(const PageLoadNote& note)>;

class PageLoader {
public:
    // `report` may be empty: then nothing is reported, and nothing is read
    // for the sake of the report.
    PageLoader(PageModel& model, ProfileReader& reader, ControlFactory& factory, PageReport report = {});

    // Loads the page file at `path` (a full path) into the model. A missing
    // file reads as empty: the window gets empty settings and no controls.
    void LoadPageFile(const CString& path);

    // Destroys the windows of the page's controls and empties the model; the
    // window gets the button face colour and no background picture.
    void ResetPage();

    // Creates the control that one INFO line describes, with the page folder
    // of the model's PagePath, unless its kind is no keyword or its table is
    // full (reported). Returns the line's property key (field 8).
    int CreateControlFromInfo(const CString& line);

private:
    struct PlannedControl {
        int infoKey;
        DefinitionLine line;
        ControlKind kind;
    };

    CString ReadValue(const char* section, const CString& key, int bufferSize = PageValueBufferSize);
    void ApplyWindowSettings();
    std::vector<int> ExistingInfoKeys(int total);
    std::vector<PlannedControl> PlanControls(int total);
    bool CreateControl(const DefinitionLine& line, ControlKind kind);
    void ReadProperties(int infoKey, int propertyKey);
    void ReportDroppedProperties(int infoKey, int propertyKey, int count);
    void Report(const CString& line, const char* section = nullptr, const CString& key = CString());

    PageModel& model_;
    ProfileReader& reader_;
    ControlFactory& factory_;
    PageReport report_;
    CString pageFolder_;
    // DADOS positions from 20 up, by property key: listed once per load, and
    // only when a control holds more than 20 properties and a report is wanted.
    std::map<int, std::vector<int>> extraPositions_;
    bool extraPositionsListed_ = false;
};
