#include "controls/link_label_fit.h"
#include "controls/link_label_text.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkLabelText, ErrorTextsByCode)
{
    const struct {
        long code;
        const char* text;
    } cases[] = {
        {2, "The specified file was not found."}, {4, "Unknown Error (4) occurred."},
        {-1, "Unknown Error (-1) occurred."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HyperlinkErrorText(c.code), c.text) << c.code;
    EXPECT_EQ(HyperlinkErrorMessage(3), "Unable to open hyperlink:\n\nThe specified path was not found.");
}

TEST(LinkLabelText, HtmCommandIsCutAtItsPlaceholder)
{
    const struct {
        const char* handler;
        const char* command;
    } cases[] = {
        {R"("C:\Program Files\Browser\browser.exe" -nohome "%1" -extra)",
         R"("C:\Program Files\Browser\browser.exe" -nohome  http://x/)"},
        {R"(browser.exe %1,extra)", R"(browser.exe  http://x/)"},
        {R"(browser.exe -url)", R"(browser.exe -url http://x/)"},
        {R"(b.exe %1 "%1")", R"(b.exe %1  http://x/)"},
        {"", " http://x/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HtmCommandForTarget(c.handler, "http://x/"), c.command) << c.handler;
}

TEST(LinkLabelText, MailLinkDropsItsFirstSevenCharacters)
{
    EXPECT_EQ(MailLinkText("mailto:a"), "a");
    EXPECT_EQ(MailLinkText("mailto:"), "");
    EXPECT_EQ(MailLinkText("abc"), "");
}

TEST(LinkLabelFit, TheAnchorEdgeStaysAndTheSizeBecomesTheText)
{
    const LinkBox box{10, 20, 110, 40};
    const struct {
        LinkAlign align;
        bool centreVertically;
        LinkBox fitted;
    } cases[] = {
        {LinkAlign::Left, false, {10, 20, 50, 28}},
        {LinkAlign::Right, false, {70, 20, 110, 28}},
        {LinkAlign::Centre, false, {40, 20, 80, 28}},
        {LinkAlign::Left, true, {10, 26, 50, 34}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitLinkBox(box, 40, 8, c.align, c.centreVertically), c.fitted)
            << static_cast<int>(c.align) << " " << c.centreVertically;
    EXPECT_EQ(FitLinkBox(box, 140, 30, LinkAlign::Centre, true), (LinkBox{-10, 15, 130, 45}));
    EXPECT_EQ(FitLinkBox(box, 0, 0, LinkAlign::Left, false), (LinkBox{10, 20, 10, 20}));
}

} // namespace
