#include "uninstaller/skin/progress_relay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page that writes down every report it gets.
class RecordingPage : public RemovalReporter {
public:
    std::vector<std::string> calls;

    void SetProgressRange(int total) override { calls.push_back("range " + std::to_string(total)); }
    void SetProgressPos(int position) override { calls.push_back("pos " + std::to_string(position)); }
    void SetStatusText(const CString& text, int line) override
    {
        calls.push_back("line " + std::to_string(line) + " " + text.GetString());
    }
};

using Calls = std::vector<std::string>;

TEST(ProgressRelay, APageAttachedDuringTheRunStartsWhereItStandsUntilDetached)
{
    ProgressRelay relay;
    RecordingPage first;
    RecordingPage second;
    relay.Attach(&first);
    relay.SetProgressRange(70000);
    relay.SetStatusText("Removing Files...", 0);
    relay.SetProgressPos(10);
    relay.SetProgressPos(20);
    relay.SetStatusText("<ProductName>", 1);

    relay.Attach(&second);
    relay.Attach(&second);  // once only
    relay.Detach(&first);
    relay.SetProgressPos(30);
    EXPECT_EQ(first.calls.back(), "line 1 <ProductName>");
    EXPECT_EQ(second.calls,
              (Calls{"range 70000", "pos 20", "line 0 Removing Files...", "line 1 <ProductName>", "pos 30"}));
}

}  // namespace
