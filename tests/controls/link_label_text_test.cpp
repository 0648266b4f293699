#include "controls/link_label_fit.h"
#include "controls/link_label_text.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkLabelText, ErrorTextsHtmCommandsAndMailLinks)
{
    EXPECT_EQ(HyperlinkErrorMessage(3), "Unable to open hyperlink:\n\nThe specified path was not found.");
    EXPECT_EQ(HyperlinkErrorText(4), "Unknown Error (4) occurred.");
    EXPECT_EQ(HyperlinkErrorText(-1), "Unknown Error (-1) occurred.");
    const struct {
        const char* handler;
        const char* command;
    } rows[] = {
        {R"("C:\Program Files\Browser\browser.exe" -nohome "%1" -extra)",
         R"("C:\Program Files\Browser\browser.exe" -nohome  http://x/)"},
        {R"(browser.exe %1,extra)", R"(browser.exe  http://x/)"},
        {R"(browser.exe -url)", R"(browser.exe -url http://x/)"},
        {R"(b.exe %1 "%1")", R"(b.exe %1  http://x/)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HtmCommandForTarget(row.handler, "http://x/"), row.command) << row.handler;
    EXPECT_EQ(MailLinkText("abc"), "") << "shorter than mailto:";
}

TEST(LinkLabelFit, TheAnchorEdgeStaysAndTheSizeBecomesTheText)
{
    const LinkBox box{10, 20, 110, 40};
    const struct {
        LinkAlign align;
        bool centreVertically;
        LinkBox fitted;
    } rows[] = {
        {LinkAlign::Left, false, {10, 20, 50, 28}},
        {LinkAlign::Right, false, {70, 20, 110, 28}},
        {LinkAlign::Centre, false, {40, 20, 80, 28}},
        {LinkAlign::Left, true, {10, 26, 50, 34}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FitLinkBox(box, 40, 8, row.align, row.centreVertically), row.fitted)
            << static_cast<int>(row.align) << " " << row.centreVertically;
    EXPECT_EQ(FitLinkBox(box, 140, 30, LinkAlign::Centre, true), (LinkBox{-10, 15, 130, 45}));
}

} // namespace
