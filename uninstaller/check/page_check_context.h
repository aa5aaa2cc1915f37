// What the page rules share while one page is checked.
#pragma once

#include <map>
#include <set>
#include <string>

#include "uninstaller/check/check_system.h"
#include "uninstaller/check/findings.h"
#include "uninstaller/pages/memory_profile_reader.h"
#include "uninstaller/pages/page_model.h"

struct PageCheck {
    CheckSystem& system;
    const CheckTarget& target;
    CString path;  // the page file as kelrun reads it
    const MemoryProfileReader& lines;
    Findings& findings;
    const PageModel& model;
    // The pictures of BITMAP and HOVER controls, by control id.
    std::map<int, CString> pictures;
    // DADOS keys that the loader reported as left out.
    std::set<std::string> droppedProperties;

    void Warn(int line, const CString& text) { findings.Warning(CheckedFile::Page, line, text); }
    void Fail(int line, const CString& text) { findings.Error(CheckedFile::Page, line, text); }
    // The line of a key, else of its section, else 1.
    int Line(const char* section, const CString& key) const { return lines.LineOf("", section, key.view()); }
    int InfoLine(const PageControl& control) const;
    // The line of property `position` of a control, else of its count
    // ("k,t"), else of its INFO line.
    int PropertyLine(const PageControl& control, int position) const;
    // Says so when a picture file named by the page is missing or is no
    // full path. Before any installation only pictures inside the product
    // folder can be looked for.
    void CheckPicture(int line, const CString& what, const CString& picture, const char* insteadWrite);
};

// The rules of each control and of the progress page.
void CheckControls(PageCheck& check);
