#include "uninstaller/skin/progress_throttle.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

TEST(ProgressThrottlePixelOf, MapsPositionsOntoTheBar)
{
    const struct {
        int position;
        int high;
        int width;
        int pixel;
    } cases[] = {
        {0, 100, 300, 0},
        {50, 100, 300, 150},
        {100, 100, 300, 300},
        {150, 100, 300, 300},    // beyond the range: the bar is full
        {-5, 100, 300, 0},       // before it: empty
        {5, 0, 300, 0},          // no range
        {5, -10, 300, 0},        // a negative total
        {5, 100, 0, 0},          // no bar
        {69999, 70000, 300, 299},
        {70000, 70000, 300, 300},  // above 65535: no 16-bit wrap
        {INT_MAX - 1, INT_MAX, 2000, 1999},  // no overflow on the way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.position) + " of " + std::to_string(c.high) + " on " +
                     std::to_string(c.width));
        EXPECT_EQ(ProgressThrottle::PixelOf(c.position, c.high, c.width), c.pixel);
    }
}

TEST(ProgressThrottle, TheFirstReportIsShownAtOnceAndLaterOnesAfterTheInterval)
{
    ProgressThrottle throttle;
    throttle.SetBarWidth(300);
    EXPECT_FALSE(throttle.HasWork());
    EXPECT_TRUE(throttle.SetStatusText("Removing Files...", 0));
    EXPECT_EQ(throttle.DelayBeforeUpdate(1000), 0u);
    ProgressUpdate first = throttle.TakeUpdate(1000, false);
    EXPECT_TRUE(first.setInfoText);
    EXPECT_EQ(first.infoText, "Removing Files...");
    EXPECT_FALSE(throttle.HasWork());

    EXPECT_TRUE(throttle.SetRange(10));
    EXPECT_EQ(throttle.DelayBeforeUpdate(1000), 16u);
    EXPECT_EQ(throttle.DelayBeforeUpdate(1010), 6u);
    EXPECT_EQ(throttle.DelayBeforeUpdate(1016), 0u);
    // A clock that went back does not hold the page up.
    EXPECT_EQ(throttle.DelayBeforeUpdate(900), 0u);
    ProgressUpdate second = throttle.TakeUpdate(1016, false);
    EXPECT_TRUE(second.setRange);
    EXPECT_EQ(second.rangeHigh, 10);
    EXPECT_FALSE(second.setPosition);  // 0 is where the bar stands
    EXPECT_FALSE(second.setInfoText);
}

TEST(ProgressThrottle, ARangeAbove16BitsIsPassedWhole)
{
    ProgressThrottle throttle;
    throttle.SetBarWidth(300);
    throttle.SetRange(70000);
    throttle.SetPosition(70000);
    ProgressUpdate update = throttle.TakeUpdate(0, false);
    ASSERT_TRUE(update.setRange);
    EXPECT_EQ(update.rangeHigh, 70000);
    ASSERT_TRUE(update.setPosition);
    EXPECT_EQ(update.position, 70000);
}

TEST(ProgressThrottle, APositionThatMovesNoPixelWaitsForTheFinalUpdate)
{
    ProgressThrottle throttle;
    throttle.SetBarWidth(100);
    throttle.SetRange(1000);
    throttle.TakeUpdate(0, false);
    // Ten positions to a pixel: 1 to 9 move nothing.
    for (int position = 1; position < 10; ++position) {
        SCOPED_TRACE(position);
        EXPECT_FALSE(throttle.SetPosition(position));
    }
    EXPECT_TRUE(throttle.SetPosition(10));
    // The last word counts: 9 is back on the pixel the bar shows.
    EXPECT_FALSE(throttle.SetPosition(9));
    EXPECT_TRUE(throttle.TakeUpdate(100, false).Empty());
    throttle.SetPosition(13);
    ProgressUpdate next = throttle.TakeUpdate(200, false);
    ASSERT_TRUE(next.setPosition);
    EXPECT_EQ(next.position, 13);
    throttle.SetPosition(14);
    EXPECT_TRUE(throttle.TakeUpdate(300, false).Empty());
    // The final update is exact even below a pixel.
    ProgressUpdate last = throttle.TakeUpdate(301, true);
    ASSERT_TRUE(last.setPosition);
    EXPECT_EQ(last.position, 14);
    EXPECT_TRUE(throttle.TakeUpdate(302, true).Empty());
}

TEST(ProgressThrottle, WithoutABarOnlyTheFinalUpdateCarriesThePosition)
{
    ProgressThrottle throttle;
    throttle.SetRange(5);
    throttle.TakeUpdate(0, false);
    for (int position = 1; position <= 5; ++position)
        EXPECT_FALSE(throttle.SetPosition(position));
    ProgressUpdate last = throttle.TakeUpdate(10, true);
    ASSERT_TRUE(last.setPosition);
    EXPECT_EQ(last.position, 5);
}

TEST(ProgressThrottle, ANewRangeClampsTheShownPositionAndSendsTheExactOne)
{
    ProgressThrottle throttle;
    throttle.SetBarWidth(100);
    throttle.SetRange(10);
    throttle.SetPosition(8);
    throttle.TakeUpdate(0, false);
    // A second TOTALFILE starts the count again.
    throttle.SetRange(4);
    throttle.SetPosition(0);
    ProgressUpdate update = throttle.TakeUpdate(20, false);
    EXPECT_TRUE(update.setRange);
    EXPECT_EQ(update.rangeHigh, 4);
    ASSERT_TRUE(update.setPosition);
    EXPECT_EQ(update.position, 0);
}

TEST(ProgressThrottle, StatusLinesGoToTheirTextsAndTheLastWordWins)
{
    const struct {
        int line;
        bool info;
    } cases[] = {{0, true}, {1, false}, {2, false}, {-1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ProgressThrottle throttle;
        throttle.SetStatusText("first", c.line);
        throttle.SetStatusText("second", c.line);
        ProgressUpdate update = throttle.TakeUpdate(0, false);
        EXPECT_EQ(update.setInfoText, c.info);
        EXPECT_EQ(update.setStatusText, !c.info);
        EXPECT_EQ(c.info ? update.infoText : update.statusText, "second");
    }
    // An empty text is a text: it clears the line.
    ProgressThrottle throttle;
    throttle.SetStatusText("", 0);
    ProgressUpdate cleared = throttle.TakeUpdate(0, false);
    EXPECT_TRUE(cleared.setInfoText);
    EXPECT_EQ(cleared.infoText, "");
}

// A removal of 10,000 files at 0.3 ms a file, with the page taking an update
// whenever one is due, as the page window does on its timer.
struct SimulatedRun {
    int updates = 0;
    int positionUpdates = 0;
    int largestLagPixels = 0;
    std::vector<std::string> textsShown;
    ProgressUpdate final;
};

SimulatedRun Simulate(int files, int barWidth, const std::vector<std::pair<int, std::string>>& textsAtFile)
{
    SimulatedRun run;
    ProgressThrottle throttle;
    throttle.SetBarWidth(barWidth);
    std::uint64_t nowUs = 0;
    int shownPosition = 0;
    auto takeIfDue = [&] {
        const std::uint64_t nowMs = nowUs / 1000;
        if (!throttle.HasWork() || throttle.DelayBeforeUpdate(nowMs) != 0)
            return;
        ProgressUpdate update = throttle.TakeUpdate(nowMs, false);
        ++run.updates;
        if (update.setPosition) {
            ++run.positionUpdates;
            shownPosition = update.position;
        }
        if (update.setInfoText)
            run.textsShown.push_back(update.infoText.str());
    };
    throttle.SetRange(files);
    std::size_t nextText = 0;
    for (int file = 0; file < files; ++file) {
        if (nextText < textsAtFile.size() && textsAtFile[nextText].first == file)
            throttle.SetStatusText(textsAtFile[nextText++].second.c_str(), 0);
        throttle.SetPosition(file);
        nowUs += 300;
        takeIfDue();
        const int lag = ProgressThrottle::PixelOf(file, files, barWidth) -
                        ProgressThrottle::PixelOf(shownPosition, files, barWidth);
        run.largestLagPixels = std::max(run.largestLagPixels, lag);
    }
    throttle.SetPosition(files);
    run.final = throttle.TakeUpdate(nowUs / 1000, true);
    return run;
}

TEST(ProgressThrottle, TenThousandFilesMakeAFewDozenUpdatesAndEndExact)
{
    // 3 seconds of removal: at most one update each 16 ms.
    const SimulatedRun run = Simulate(10000, 300, {});
    EXPECT_LE(run.updates, 3000 / 16 + 1);
    EXPECT_GE(run.positionUpdates, 3000 / 16 - 2);  // the bar moves at every chance it gets
    // The bar is never more than a 16-ms stretch behind: 300 px in 3 s.
    EXPECT_LE(run.largestLagPixels, 3);
    ASSERT_TRUE(run.final.setPosition);
    EXPECT_EQ(run.final.position, 10000);
}

TEST(ProgressThrottle, ANarrowBarIsUpdatedOnlyWhenItMoves)
{
    const SimulatedRun run = Simulate(10000, 40, {});
    EXPECT_LE(run.positionUpdates, 40);
    EXPECT_EQ(run.final.position, 10000);
}

TEST(ProgressThrottle, EveryTextThatStaysUpLongEnoughIsShown)
{
    // One text every 100 files (30 ms) is shown; two texts 1 ms apart: only
    // the later one, which is the one left standing.
    const SimulatedRun run = Simulate(1000, 300, {{100, "a"}, {200, "b"}, {300, "c"}, {303, "d"}, {400, "e"}});
    EXPECT_EQ(run.textsShown, (std::vector<std::string>{"a", "b", "d", "e"}));
}

}  // namespace
