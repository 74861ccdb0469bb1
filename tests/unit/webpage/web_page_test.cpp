#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/disk_files.h"
#include "tests/support/html_fragment.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"
#include "webpage/page_template.h"
#include "webpage/rtf_html.h"
#include "webpage/web_page.h"

namespace qb {
namespace {

using testing_support::HtmlFragmentFault;
using testing_support::MakeRecord;
using testing_support::ReadAll;

std::string Converted(const std::string& rtf) {
    const std::string html = RtfToHtml(rtf);
    EXPECT_EQ(HtmlFragmentFault(html), "") << rtf << "\n" << html;
    return html;
}

TEST(RtfToHtml, CommonSubset) {
    const struct {
        const char* rtf;
        const char* html;
    } cases[] = {
        {"{\\rtf1 one\\par two}", "<p><span>one</span></p><p><span>two</span></p>"},
        {"{\\rtf1 a\\line b\\tab c}", "<p><span>a<br>b\tc</span></p>"},
        {"{\\rtf1 \\par x}", "<p><br></p><p><span>x</span></p>"},
        {"{\\rtf1 {\\b bold}\\i it\\i0 \\ul u\\ulnone}",
         "<p><span><b>bold</b></span><span><i>it</i></span><span><u>u</u></span></p>"},
        {"{\\rtf1 \\fs40 big \\fs21 half}",
         "<p><span style=\"font-size:20pt\">big </span><span style=\"font-size:10.5pt\">half</span></p>"},
        {"{\\rtf1{\\colortbl;\\red255\\green0\\blue16;}\\cf1 red\\cf0 auto\\cf9 unknown}",
         "<p><span style=\"color:#ff0010\">red</span><span>autounknown</span></p>"},
        {"{\\rtf1{\\colortbl\\red1\\green2\\blue3;}\\cf0 first}", "<p><span style=\"color:#010203\">first</span></p>"},
        {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'9f}", "<p><span>caf\xC3\xA9 \xE2\x82\xAC\xC5\xB8</span></p>"},
        {"{\\rtf1\\ansicpg1251 \\'e9}", "<p><span>\xEF\xBF\xBD</span></p>"},
        {"{\\rtf1 \\u8364?\\uc2\\u945\\'3f\\'3f!\\uc0\\u-3913 }",
         "<p><span>\xE2\x82\xAC\xCE\xB1!\xEF\x82\xB7</span></p>"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "<p><span>\xF0\x9F\x98\x80</span></p>"},
        {"{\\rtf1 \\u55357? x}", "<p><span>\xEF\xBF\xBD x</span></p>"},
        {"{\\rtf1 \\emdash\\bullet\\ldblquote\\~\\_\\-\\{\\}\\\\}",
         "<p><span>\xE2\x80\x94\xE2\x80\xA2\xE2\x80\x9C\xC2\xA0\xE2\x80\x91{}\\</span></p>"},
        {"{\\rtf1 <script>&\"'}", "<p><span>&lt;script&gt;&amp;&quot;&#39;</span></p>"},
        // Groups the page cannot show, and the visible result of a field.
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{Normal;}}{\\info{\\title T}}{\\*\\generator "
         "G;}{\\pict\\wmetafile8 0102}x}",
         "<p><span>x</span></p>"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}}", "<p><span>link</span></p>"},
        {"{\\rtf1{\\field{\\*\\fldinst PAGE}{\\*\\fldrslt 3}}}", "<p><span>3</span></p>"},
        {"{\\rtf1{\\object{\\*\\objdata 0102}{\\result shown}}}", "<p><span>shown</span></p>"},
        {"{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pndec}item}", "<p><span>1.\titem</span></p>"},
        {"{\\rtf1 a\\bin4 }{\\b b}", "<p><span>a b</span></p>"},
        // Damaged input.
        {"{\\rtf1 {\\b open", "<p><span><b>open</b></span></p>"},
        {"{\\rtf1 x}}} after{\\b y}", "<p><span>x</span></p>"},
        {"{\\rtf1 \\fs99999999999999999999 x\\cf-5 y\\bin99999999999}",
         "<p><span style=\"font-size:144pt\">xy</span></p>"},
        {"{\\rtf1 \\'zz\\'4", "<p><span>zz4</span></p>"},
        {"{\\rtf1 \\", ""},
        {"plain <text>\r\nline\ttwo", "<p>plain &lt;text&gt;<br>line\ttwo</p>"},
    };
    for (const auto& c : cases) EXPECT_EQ(Converted(c.rtf), c.html) << c.rtf;
}

TEST(RtfToHtml, DeepNestingIsSkippedAndBalanced) {
    const std::string deep = "{\\rtf1 a" + std::string(100000, '{') + "\\b x" + std::string(100000, '}') + " b}";
    EXPECT_EQ(Converted(deep), "<p><span>a b</span></p>");
}

// The same document written by three word processors (make-rtf.sh).
TEST(RtfToHtml, RealWritersKeepTextAndFormatting) {
    for (const char* writer : {"libreoffice", "abiword", "pandoc"}) {
        const std::string html = Converted(ReadAll(std::string(QB_RTF_DIR "/comets-") + writer + ".rtf"));
        for (const char* shown :
             {"<b>small icy body</b>", "<i>releases gases</i>", "<u>away from the Sun</u>", "Nucleus",
              "caf\xC3\xA9, na\xC3\xAFve, 5 \xE2\x82\xAC", "\xE2\x80\x9Cquoted\xE2\x80\x9D",
              "&lt;tag&gt; &amp; more.<br>Second line", "the comet page", "\xE2\x80\xA2\t"}) {
            EXPECT_NE(html.find(shown), std::string::npos) << writer << ": " << shown << "\n" << html;
        }
        for (const char* hidden : {"HYPERLINK", "Times", "Helvetica", "Normal", "Heading"})
            EXPECT_EQ(html.find(hidden), std::string::npos) << writer << ": " << hidden;
        if (std::string(writer) != "pandoc") {  // pandoc drops the colours and sizes of its input
            EXPECT_NE(html.find("color:#c00000\">Red text"), std::string::npos) << writer;
            EXPECT_NE(html.find("font-size:20pt"), std::string::npos) << writer;
        }
    }
    const std::string sample = Converted(ReadAll(QB_SAMPLES_DIR "/solar_system.rtf"));
    EXPECT_NE(sample.find("<span style=\"font-size:16pt;color:#000080\"><b>The Solar System</b>"), std::string::npos);
}

class WebPageTest : public testing::Test {
protected:
    WebPage Build(const std::vector<QuestionRecord>& records, const std::string& title = "T") {
        return BuildWebPage(title, records, files_,
                            [&](const std::string& name) { return files_.Exists(name) ? name : std::string(); });
    }
    // The page's data: between the data element's tags.
    static std::string Data(const std::string& html) {
        const size_t start = html.find("id=\"data\">");
        return html.substr(start, html.find("</script>", start) - start);
    }
    testing_support::MemoryFileSystem files_;
};

TEST_F(WebPageTest, AttachmentsAreEmbeddedOnceOrReported) {
    files_.SetContent("a.rtf", "{\\rtf1 {\\b rich}}");
    files_.SetContent("a.txt", "line\r\nnext");
    std::string bitmap = "BM" + std::string(60, '\0');
    bitmap[14] = 40;  // information header, 1 x 1 pixel
    bitmap[18] = bitmap[22] = 1;
    files_.SetContent("a.bmp", bitmap);
    files_.SetContent("bad.bmp", "GIF89a not a bitmap at all");
    files_.SetContent("cut.bmp", bitmap.substr(0, 40));
    files_.SetContent("zero.bmp", bitmap.substr(0, 18) + std::string(44, '\0'));
    QuestionRecord first = MakeRecord("one", "q", "a");
    first.slots[kSlotQuestionTextFile] = "a.rtf";
    first.slots[kSlotQuestionPictureFile] = "a.bmp";
    first.slots[kSlotAnswerTextFile] = "a.txt";
    first.slots[kSlotAnswerPictureFile] = "gone.bmp";
    first.misses = kMaxMisses;
    QuestionRecord second = MakeRecord("two", "q", "a");
    second.slots[kSlotQuestionPictureFile] = "a.bmp";
    second.slots[kSlotAnswerPictureFile] = "bad.bmp";
    QuestionRecord third = MakeRecord("three", "q", "a");
    third.slots[kSlotQuestionPictureFile] = "cut.bmp";
    third.slots[kSlotAnswerPictureFile] = "zero.bmp";
    const WebPage page = Build({first, second, third});
    ASSERT_EQ(page.findings.size(), 4u);
    EXPECT_EQ(page.findings[2].problem, AttachmentProblem::NotABitmap);
    EXPECT_EQ(page.findings[3].problem, AttachmentProblem::NotABitmap);
    EXPECT_EQ(page.findings[0].question, 1);
    EXPECT_EQ(page.findings[0].slot, kSlotAnswerPictureFile);
    EXPECT_EQ(page.findings[0].problem, AttachmentProblem::Missing);
    EXPECT_EQ(page.findings[1].storedName, "bad.bmp");
    EXPECT_EQ(page.findings[1].problem, AttachmentProblem::NotABitmap);
    const std::string data = Data(page.html);
    EXPECT_NE(data.find("\"\\u003cp\\u003e\\u003cspan\\u003e\\u003cb\\u003erich"), std::string::npos) << data;
    EXPECT_NE(data.find("line\\u003cbr\\u003enext"), std::string::npos);
    EXPECT_NE(data.find("\"data:image/bmp;base64,Qk0AAAAA"), std::string::npos);
    EXPECT_EQ(data.find("base64", data.find("base64") + 1), std::string::npos) << "a.bmp embedded twice";
    EXPECT_NE(data.find("[\"one\",\"q\",\"a\",[],[0,1,2,-1],99999]"), std::string::npos) << data;
    EXPECT_NE(data.find("[\"two\",\"q\",\"a\",[],[-1,1,-1,-1],0]"), std::string::npos) << data;
    EXPECT_NE(data.find("\"maxMisses\":99999,"), std::string::npos) << data;
}

TEST_F(WebPageTest, TextsCannotEndTheScriptOrTheTitle) {
    QuestionRecord record = MakeRecord("</script><b>", "a \"quote\"\r\nand \\ & 'x'", "\xE9\x80");
    record.slots[kSlotWrongAnswer1 + 1] = "<!--";
    const WebPage page = Build({record}, "</title><script>alert(1)</script>");
    const std::string data = Data(page.html);
    EXPECT_EQ(data.find('<', 1), std::string::npos) << data;
    EXPECT_NE(
        data.find("[\"\\u003c/script\\u003e\\u003cb\\u003e\",\"a \\\"quote\\\"\\u000d\\u000aand \\\\ \\u0026 'x'\","
                  "\"\xC3\xA9\xE2\x82\xAC\",[\"\\u003c!--\"]"),
        std::string::npos)
        << data;
    EXPECT_NE(page.html.find("<title>&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;</title>"), std::string::npos);
    EXPECT_EQ(page.html.find("<script>alert"), std::string::npos);
}

TEST_F(WebPageTest, ProgressIsKeptPerContent) {
    auto store = [&](const std::vector<QuestionRecord>& records) {
        const std::string data = Data(Build(records).html);
        const size_t at = data.find("\"store\":\"");
        return data.substr(at, data.find('"', at + 9) - at);
    };
    const std::vector<QuestionRecord> test = {MakeRecord("k", "q", "a"), MakeRecord("l", "q", "b")};
    EXPECT_EQ(store(test), store(test));
    EXPECT_NE(store(test), store({MakeRecord("k", "q", "a"), MakeRecord("l", "q", "c")}));
    EXPECT_NE(store({MakeRecord("ab", "", "c")}), store({MakeRecord("a", "bc", "")}));
    EXPECT_NE(store(test).find("Quorbelind:"), std::string::npos);
}

// The page's own code is small enough to read, and every marker the
// builder fills stands in it once, in the order it fills them.
TEST(WebPageTemplate, SmallAndComplete) {
    EXPECT_LE(std::strlen(kPageHtml) + std::strlen(kPageStyle) + std::strlen(kPageScript), 40u * 1024);
    const std::string html = kPageHtml;
    size_t previous = 0;
    for (const char* marker : {"{{TITLE}}", "{{STYLE}}", "{{DATA}}", "{{SCRIPT}}"}) {
        const size_t at = html.find(marker);
        EXPECT_TRUE(at != std::string::npos && at > previous && html.find(marker, at + 1) == std::string::npos)
            << marker;
        previous = at;
    }
}

TEST(WebPageName, HtmlAndHtmInAnyCase) {
    EXPECT_TRUE(IsWebPageName("a.html"));
    EXPECT_TRUE(IsWebPageName("dir.x/A.HTM"));
    EXPECT_FALSE(IsWebPageName("a.html.csv"));
    EXPECT_FALSE(IsWebPageName("html"));
}

}  // namespace
}  // namespace qb
