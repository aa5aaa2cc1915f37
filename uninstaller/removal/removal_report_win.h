// The removal report's file on Win32: %TEMP%\kelrun <productcode>.log,
// replaced by each run of the same product.
#pragma once

#include "framework/cstring.h"
#include "framework/handle_win.h"
#include "uninstaller/removal/removal_report.h"

// Appends each line with one unbuffered write through the system: the text
// is the system's as soon as the write returns, so it outlives a crash of
// kelrun, while nothing waits for the disk. The file is always made new and
// takes the place of what stood under its name, never writing through a
// link. A file that cannot be made, or a write that fails, is passed over in
// silence.
class Win32ReportFile : public ReportSink {
public:
    explicit Win32ReportFile(const CString& path);
    void WriteLine(std::string_view line) override;
    bool IsOpen() const { return file_.IsValid(); }
    const CString& Path() const { return path_; }

private:
    CString path_;
    CFileHandle file_;
    std::string pending_;  // reused for each line and its line end
};

// Where a product's report goes: the folder %TEMP% names (the system's
// temporary folder when it is unset) and ReportFileName.
CString RemovalReportPath(const CString& productCode);

// The local time now.
ReportTime LocalReportTime();
