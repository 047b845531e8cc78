// The XML document: tokenizer and parser on good and bad texts, entities,
// CDATA, includes, limits, the writer byte for byte and the typed getters.
#include "support/GXml.h"

#include "support/EncryptedData.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Parsed {
    CGXml document{0};
    int result = 0;
    char error[512] = "";
};

// Parses a private copy of the text under the source name "t".
void Parse(Parsed& parsed, const std::string& text, const char* expectedRoot = nullptr, int flags = 0)
{
    parsed.document.SetFlags(flags);
    parsed.result = parsed.document.ParseText("t", text.c_str(), parsed.error, sizeof parsed.error, expectedRoot);
}

std::string WriteToStore(const CGXml& document, bool compact = false)
{
    CGTextStore store;
    CGXmlWriter writer(&store, compact);
    document.Write(writer);
    size_t length = 0;
    char* text = store.GetText(&length);
    std::string out(text, length - 1);
    free(text);
    return out;
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char b[4];
    for (unsigned char c : bytes) {
        snprintf(b, sizeof b, "%02X", c);
        out += b;
    }
    return out;
}

TEST(XmlParse, ReadsElementsAttributesAndTextIntoTheTree)
{
    Parsed p;
    Parse(p, "<VLUMEX>\n <WINDOW left=\"10\" top=\"20\"/>\n <IF1><IP>10.0.0.1</IP></IF1>\n"
             " <NAME>  Line 2 </NAME>\n <EMPTY>   </EMPTY>\n</VLUMEX>\n",
          "VLUMEX");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    EXPECT_STREQ(p.error, "");
    CGXmlNode* root = p.document.GetRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetName(), "VLUMEX");
    EXPECT_EQ(root->GetParent(), nullptr);

    CGXmlNode* window = p.document.FindPath("WINDOW");
    ASSERT_NE(window, nullptr);
    CGXmlNode* left = window->FindChild("left", true);
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(left->IsAttribute());
    EXPECT_EQ(left->GetFirstChild(), nullptr);
    EXPECT_STREQ(left->GetText(), "10");
    EXPECT_EQ(window->FindChild("top")->GetInt(), 20);
    EXPECT_EQ(left->GetParent(), window);

    char path[32];
    snprintf(path, sizeof path, "IF%d IP", 1);
    ASSERT_NE(p.document.FindPath(path), nullptr);
    EXPECT_STREQ(p.document.FindPath(path)->GetText(), "10.0.0.1");
    EXPECT_EQ(p.document.FindPath("IF1  IP"), p.document.FindPath(path)); // runs of blanks count as one
    EXPECT_EQ(p.document.FindPath("IF1 GATEWAY"), nullptr);
    EXPECT_EQ(p.document.FindPath("ip"), nullptr); // names are case-sensitive

    // Text keeps its surrounding blanks; blanks alone leave it empty.
    EXPECT_STREQ(p.document.FindPath("NAME")->GetText(), "  Line 2 ");
    EXPECT_STREQ(p.document.FindPath("EMPTY")->GetText(), "");
}

TEST(XmlParse, ElementsAfterANestedElementJoinItsParent)
{
    Parsed p;
    Parse(p, "<R><A><B><C>1</C></B><D x=\"2\"/>t</A><E>3</E><F><G></G></F></R>");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    CGXmlNode* r = p.document.GetRoot();
    auto names = [](const CGXmlNode* node) {
        std::string out;
        for (const CGXmlNode* child = node->GetFirstChild(); child; child = child->GetNext()) {
            out += out.empty() ? "" : " ";
            out += child->GetName();
            EXPECT_EQ(child->GetParent(), node) << child->GetName();
        }
        return out;
    };
    EXPECT_EQ(names(r), "A E F");
    EXPECT_EQ(names(p.document.FindPath("A")), "B D");
    EXPECT_EQ(names(p.document.FindPath("A B")), "C");
    EXPECT_EQ(names(p.document.FindPath("A D")), "x");
    EXPECT_EQ(names(p.document.FindPath("F")), "G");
    EXPECT_STREQ(p.document.FindPath("A")->GetText(), "t");
    EXPECT_STREQ(p.document.FindPath("A B C")->GetText(), "1");
    EXPECT_STREQ(p.document.FindPath("E")->GetText(), "3");

    // A fault after the way back up names the element it lies in.
    Parsed q;
    Parse(q, "<R><A><B/></A>\n<A><B>x</B></C></A></R>");
    EXPECT_EQ(q.result, kXmlMalformed);
    EXPECT_STREQ(q.error, "\\ Error (Line 2): No match for element A");
}

TEST(XmlParse, TextAroundAChildEndsWithTheLastPiece)
{
    Parsed p;
    Parse(p, "<A>x<B/>y</A>");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    CGXmlNode* a = p.document.GetRoot();
    EXPECT_STREQ(a->GetText(), "y");
    ASSERT_NE(a->GetFirstChild(), nullptr);
    EXPECT_STREQ(a->GetFirstChild()->GetName(), "B");
    EXPECT_EQ(a->GetFirstChild()->GetNext(), nullptr);
}

// End tags are compared by length and in pieces of up to eight bytes: every
// name length up to three words, a difference at every place, one byte too
// many or too few, after a text and after a child, and with the text parsed
// in place (its end not measured) as well as from a copy.
TEST(XmlParse, EndTagsCloseOnlyTheirOwnElementWhateverTheNameLength)
{
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh";
    for (size_t n = 1; n <= 25; ++n) {
        const std::string name = letters.substr(0, n);
        std::vector<std::string> wrong{name + "X", name.substr(0, n - 1)};
        for (size_t i = 0; i < n; ++i) {
            std::string changed = name;
            changed[i] = 'z';
            wrong.push_back(changed);
        }
        const std::string expected = "\\ Error (Line 1): No match for element " + name;
        for (bool inPlace : {false, true}) {
            auto parse = [&](const std::string& text, Parsed& p) {
                if (!inPlace) {
                    Parse(p, text);
                    return;
                }
                std::vector<char> buffer(text.begin(), text.end());
                buffer.push_back('\0');
                p.result = p.document.ParseText("t", buffer.data(), p.error, sizeof p.error, nullptr, false);
            };
            Parsed good;
            parse("<R><" + name + ">t</" + name + "><" + name + "><C/></" + name + "></R>", good);
            ASSERT_EQ(good.result, kXmlOk) << name << ": " << good.error;
            for (const std::string& end : wrong) {
                for (const std::string& content : {std::string("t"), std::string("<C/>")}) {
                    Parsed bad;
                    parse("<R><" + name + ">" + content + "</" + end + "></R>", bad);
                    EXPECT_EQ(bad.result, kXmlMalformed) << name << " closed by " << end;
                    EXPECT_EQ(bad.error, expected) << name << " closed by " << end;
                }
            }
        }
    }

    // Line feeds inside names are counted, in start and end tags alike.
    Parsed p;
    Parse(p, "<R><A\nB>x</A\nB>\n<C></D></R>");
    EXPECT_EQ(p.result, kXmlMalformed);
    EXPECT_STREQ(p.error, "\\ Error (Line 4): No match for element C");
}

TEST(XmlParse, DropsNamespacePrefixesInStartAndEndTags)
{
    Parsed p;
    Parse(p, "<ns:A xmlns:ns=\"u\"><ns:B>1</ns:B></ns:A>", "A");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    EXPECT_STREQ(p.document.FindPath("B")->GetText(), "1");
    EXPECT_NE(p.document.GetRoot()->FindChild("ns", true), nullptr);
}

TEST(XmlParse, TopLevelSiblingsChainBehindTheRootButAreNotWritten)
{
    Parsed p;
    Parse(p, "<A/><B/>");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    ASSERT_NE(p.document.GetRoot()->GetNext(), nullptr);
    EXPECT_STREQ(p.document.GetRoot()->GetNext()->GetName(), "B");
    EXPECT_EQ(WriteToStore(p.document), "<A/>");
}

struct BadText {
    const char* text;
    const char* expectedRoot;
    int result;
    const char* error;
};

TEST(XmlParse, ReportsMalformedTextsWithTheirMessages)
{
    const BadText cases[] = {
        {"", nullptr, kXmlMalformed, "t : Malformed file (not XML)"},
        {"just text", nullptr, kXmlMalformed, "t : Malformed file (not XML)"},
        {"</A>", nullptr, kXmlMalformed, "t : Malformed file (not XML)"},
        {"<B/>", "A", kXmlMalformed, "t : Expecting A got B"},
        {"<A/>x", nullptr, kXmlMalformed, "t : Malformed file (el:x)"},
        {"<A/></A>", nullptr, kXmlMalformed, "t : Malformed file (el:A)"},
        {"<A x = \"1\"/>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A x='1'/>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A x=\"1/>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A><B></A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element B"},
        {"<A>\n<B>\n</C>\n</A>", nullptr, kXmlMalformed, "\\ Error (Line 3): No match for element B"},
        {"<A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A>text", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<R>\n<A>", nullptr, kXmlMalformed, "\\ Error (Line 2): Can't load element A"},
        {"<R><A>x</R>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A><![CDATA[x</A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A><![CDATA[x]]]</A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A></A >x</A>", nullptr, kXmlMalformed, "t : Malformed file (el:x)"},
        {"<A/ >", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        // A value between apostrophes or without quotation marks fails,
        // also when content follows (read on, it became the text).
        {"<A x='1'>t</A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<A x=1>t</A>", nullptr, kXmlMalformed, "\\ Error (Line 1): No match for element A"},
        {"<R>\n<A y=\"2\" x='1'>t</A></R>", nullptr, kXmlMalformed, "\\ Error (Line 2): No match for element A"},
    };
    for (const BadText& c : cases) {
        Parsed p;
        Parse(p, c.text, c.expectedRoot);
        EXPECT_EQ(p.result, c.result) << c.text;
        EXPECT_STREQ(p.error, c.error) << c.text;
    }
}

TEST(XmlParse, MessagesNameTheElementAndQuoteOnlyAShortExcerpt)
{
    const std::string longName(100, 'N');
    const std::string longText(100, 'x');
    struct Case {
        std::string text;
        const char* expectedRoot;
        std::string error;
    };
    const Case cases[] = {
        // A tag without a name is never taken as a name running on into the
        // rest of the text.
        {"<?xml version=\"1.0\"?>\n<MACHINES/>", "MACHINES", "t : Malformed file (not XML)"},
        {"<R>\n<!-- note --></R>", nullptr, "\\ Error (Line 2): No match for element R"},
        {"<R><?pi x?></R>", nullptr, "\\ Error (Line 1): No match for element R"},
        // A file cut short names the element it ends in.
        {"<R>\n<A><", nullptr, "\\ Error (Line 2): Can't load element A"},
        {"<R>\n<A>\n<", nullptr, "\\ Error (Line 3): Can't load element A"},
        {"<R><A", nullptr, "\\ Error (Line 1): Can't load element A"},
        // Names end at the first byte that cannot be in a name.
        {"<R><A\"x=\"1\">tail</A></R>", nullptr, "\\ Error (Line 1): Can't load element A"},
        {"<MACHINE\"junk\"/>", "MACHINES", "t : Expecting MACHINES got MACHINE"},
        {"<R>\n<A>\n</A\tjunk>\n</R>", nullptr, "\\ Error (Line 3): No match for element A"},
        // Long names and texts are cut.
        {"<R><" + longName + ">", nullptr, "\\ Error (Line 1): Can't load element " + longName.substr(0, 64) + "..."},
        {"<A/>" + longText + "\nmore", nullptr, "t : Malformed file (el:" + longText.substr(0, 40) + "...)"},
        {"<A/>two\nlines", nullptr, "t : Malformed file (el:two)"},
    };
    for (const Case& c : cases) {
        Parsed p;
        Parse(p, c.text, c.expectedRoot);
        EXPECT_EQ(p.result, kXmlMalformed) << c.text;
        EXPECT_EQ(p.error, c.error) << c.text;
    }
}

TEST(XmlParse, RefusesDeclarationsCommentsAndDoctypes)
{
    for (const char* text : {"<?xml version=\"1.0\"?><A/>", "<!-- note --><A/>", "<A><!-- note --></A>",
                             "<!DOCTYPE A><A/>", "<A><?pi x?></A>"}) {
        Parsed p;
        Parse(p, text);
        EXPECT_EQ(p.result, kXmlMalformed) << text;
        EXPECT_STRNE(p.error, "") << text;
    }
}

TEST(XmlParse, NoElementGivesAPlaceholderRootOnlyWithAnExpectedRoot)
{
    Parsed p;
    Parse(p, " \r\n\t ", "MACHINES");
    EXPECT_EQ(p.result, kXmlNoElement);
    ASSERT_NE(p.document.GetRoot(), nullptr);
    EXPECT_STREQ(p.document.GetRoot()->GetName(), "MACHINES");
    EXPECT_EQ(p.document.GetRoot()->GetFirstChild(), nullptr);

    CGXml document;
    char error[64] = "x";
    EXPECT_EQ(document.ParseText("t", (char*)nullptr, error, sizeof error, nullptr, false), kXmlNoElement);
    EXPECT_EQ(document.GetRoot(), nullptr);
    EXPECT_STREQ(error, "");
}

TEST(XmlParse, KeepsTheFirstMessageAndCutsItToTheBuffer)
{
    CGXml document;
    char error[12];
    EXPECT_EQ(document.ParseText("a-long-source-name", "", error, sizeof error, nullptr), kXmlMalformed);
    EXPECT_STREQ(error, "a-long-sour");
}

TEST(XmlParse, ParsesInPlaceWritingTerminatorsIntoTheCallersText)
{
    char text[] = "<A><B>1</B></A>";
    CGXml document;
    char error[64];
    ASSERT_EQ(document.ParseText("t", text, error, sizeof error, "A", false), kXmlOk);
    EXPECT_EQ(document.FindPath("B")->GetText(), text + 6); // points into the caller's buffer
    EXPECT_STREQ(text + 6, "1");
}

TEST(XmlParse, ReparsingReplacesTheTreeAndAFailedParseLeavesNoStaleRoot)
{
    CGXml document;
    char error[128];
    ASSERT_EQ(document.ParseText("t", "<A><B>1</B></A>", error, sizeof error, nullptr), kXmlOk);
    CGTextStore store;
    document.SetPathText(&store, "C D", "made in memory");
    ASSERT_EQ(document.ParseText("t", "<X/>", error, sizeof error, nullptr), kXmlOk);
    EXPECT_STREQ(document.GetRoot()->GetName(), "X");
    // The old text is gone: the failed parse must not keep a root into it.
    EXPECT_EQ(document.ParseText("t", "junk", error, sizeof error, nullptr), kXmlMalformed);
    EXPECT_EQ(document.GetRoot(), nullptr);
}

struct Decoded {
    const char* text;
    const char* value;
};

TEST(XmlParse, DecodesEntitiesAndNumericReferencesInTextsAndValues)
{
    const Decoded cases[] = {
        {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
        {"&#x20AC;", "\xE2\x82\xAC"},
        {"&#8364;", "\xE2\x82\xAC"},
        {"&#65;&#x42;&#xe9;", "AB\xC3\xA9"},
        {"&#x1FFFFF;", "\xF7\xBF\xBF\xBF"},
        {"a&#0;b", "ab"},
        {"a&#x200000;b", "ab"},
        {"a&#99999999999999999999;b", "ab"},
        {"&foo;", "foo;"},
        {"&AMP;", "AMP;"},
        {"a&#12b", "a#12b"},
        {"&#X41;", "#X41;"},
        {"&#;", "#;"},
        {"&", ""},
        {"x &amp y", "x amp y"},
    };
    for (const Decoded& c : cases) {
        Parsed text;
        Parse(text, std::string("<A>") + c.text + "</A>");
        ASSERT_EQ(text.result, kXmlOk) << c.text << " " << text.error;
        EXPECT_EQ(Hex(text.document.GetRoot()->GetText()), Hex(c.value)) << c.text;

        Parsed value;
        Parse(value, std::string("<A v=\"") + c.text + "\"/>");
        ASSERT_EQ(value.result, kXmlOk) << c.text << " " << value.error;
        EXPECT_EQ(Hex(value.document.GetRoot()->FindChild("v")->GetText()), Hex(c.value)) << c.text;
    }
    // A decoded '<' or '"' does not end the text or the value.
    Parsed p;
    Parse(p, "<A v=\"&quot;1&quot;\">&lt;B/&gt;</A>");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    EXPECT_STREQ(p.document.GetRoot()->GetText(), "<B/>");
    EXPECT_STREQ(p.document.GetRoot()->FindChild("v")->GetText(), "\"1\"");
}

TEST(XmlParse, TakesCDataUndecodedAndCountsItsLines)
{
    Parsed p;
    Parse(p, "<A><![CDATA[<b>&amp;\n]]</b>]]><B/></A>");
    ASSERT_EQ(p.result, kXmlOk) << p.error;
    EXPECT_STREQ(p.document.GetRoot()->GetText(), "<b>&amp;\n]]</b>");
    EXPECT_NE(p.document.FindPath("B"), nullptr);

    Parsed lines;
    Parse(lines, "<A><![CDATA[\n\n]]>\n</B></A>");
    EXPECT_STREQ(lines.error, "\\ Error (Line 4): No match for element A");
}

TEST(XmlParse, BoundsTheElementNestingDepth)
{
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<E>";
        for (int i = 0; i < depth; ++i)
            text += "</E>";
        return text;
    };
    Parsed ok;
    Parse(ok, nested(kXmlMaxDepth));
    EXPECT_EQ(ok.result, kXmlOk) << ok.error;

    // The depth is the element's own: siblings that reach the limit one
    // after the other all fit.
    std::string siblings;
    for (int i = 0; i < 300; ++i)
        siblings += "<S><T>x</T></S><U><V/></U>";
    std::string wide = nested(kXmlMaxDepth - 2);
    wide.insert(3 * (kXmlMaxDepth - 2), siblings); // behind the last "<E>"
    Parsed full;
    Parse(full, wide);
    EXPECT_EQ(full.result, kXmlOk) << full.error;

    Parsed deep;
    Parse(deep, nested(kXmlMaxDepth + 1));
    EXPECT_EQ(deep.result, kXmlMalformed);
    EXPECT_STREQ(deep.error, "\\ Error (Line 1): Element E nested too deeply");

    // A hostile text far deeper than the stack could take.
    Parsed hostile;
    Parse(hostile, std::string(1000000, '<').replace(0, 0, "<A>"));
    EXPECT_EQ(hostile.result, kXmlMalformed);
    Parsed hostile2;
    std::string opened;
    for (int i = 0; i < 200000; ++i)
        opened += "<a>";
    Parse(hostile2, opened);
    EXPECT_EQ(hostile2.result, kXmlMalformed);
    EXPECT_STREQ(hostile2.error, "\\ Error (Line 1): Element a nested too deeply");
}

TEST(XmlParse, NamesRunUpToPunctuationAndKeepTabsAndLineBreaks)
{
    Parsed p;
    Parse(p, "<A-b.c_d\xC3\xA9>1</A-b.c_d\xC3\xA9>");
    EXPECT_EQ(p.result, kXmlOk) << p.error;
    EXPECT_STREQ(p.document.GetRoot()->GetName(), "A-b.c_d\xC3\xA9");

    // A line break right behind a name belongs to the name.
    Parsed q;
    Parse(q, "<A\n x=\"1\"></A>");
    EXPECT_EQ(q.result, kXmlMalformed);
}

class RefusingDocument : public CGXml {
public:
    explicit RefusingDocument(int answer) : m_answer(answer) {}
    int FilterElement(const char* name, CGXmlSource*, CGXmlNode*, char* error, size_t size) override
    {
        if (strcmp(name, "SECRET") != 0)
            return 0;
        if (m_answer == 2)
            snprintf(error, size, "refused %s", name);
        return m_answer;
    }
    int m_answer;
};

TEST(XmlParse, FilterCanFailTheParseOrSkipAToken)
{
    char error[64] = "";
    RefusingDocument refusing(2);
    EXPECT_EQ(refusing.ParseText("t", "<A><SECRET/></A>", error, sizeof error, nullptr), kXmlMalformed);
    EXPECT_STREQ(error, "refused SECRET");

    RefusingDocument skipping(1);
    EXPECT_EQ(skipping.ParseText("t", "<A SECRET=\"1\" b=\"2\"/>", error, sizeof error, nullptr), kXmlMalformed);
    // Skipping an attribute name leaves its value to the element, which
    // takes it as its text and is complete.
    EXPECT_EQ(skipping.ParseText("t", "<A SECRET=\"1\"></A>", error, sizeof error, nullptr), kXmlMalformed);
}

// ------------------------------------------------------------- includes

struct Included {
    trovtest::TempDir dir;
    CGXml document{0};
    char error[512] = "";
    int Load(const std::string& name, int flags = 0)
    {
        document.SetFlags(flags);
        return document.LoadFile(dir.File(name).c_str(), error, sizeof error, "ROOT");
    }
};

TEST(XmlInclude, ExpandsIncludedElementsAndRecordsTheFile)
{
    Included t;
    t.dir.Write("main.xml", "<ROOT>\n <A>1</A>\n <INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE>\n <Z/>\n</ROOT>\n");
    t.dir.Write("part.xml", "<B>2</B>\n<C><D>3</D></C>\n");
    ASSERT_EQ(t.Load("main.xml"), kXmlOk) << t.error;
    std::string names;
    for (CGXmlNode* n = t.document.GetRoot()->GetFirstChild(); n; n = n->GetNext())
        names += std::string(n->GetName()) + ",";
    EXPECT_EQ(names, "A,B,C,INCLUDEDXMLFILE,Z,");
    EXPECT_STREQ(t.document.FindPath("C D")->GetText(), "3");
    EXPECT_STREQ(t.document.FindPath("INCLUDEDXMLFILE")->GetText(), "part.xml");
    EXPECT_EQ(t.document.FindPath("C")->GetParent(), t.document.GetRoot());
}

TEST(XmlInclude, NestedIncludesResolveAgainstTheFolderOfTheirFile)
{
    Included t;
    std::filesystem::create_directory(t.dir.File("sub"));
    t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>sub/one.xml</INCLUDEXMLFILE></ROOT>");
    t.dir.Write("sub/one.xml", "<ONE><INCLUDEXMLFILE>two.xml</INCLUDEXMLFILE></ONE>");
    t.dir.Write("sub/two.xml", "<TWO>2</TWO>");
    ASSERT_EQ(t.Load("main.xml"), kXmlOk) << t.error;
    EXPECT_STREQ(t.document.FindPath("ONE TWO")->GetText(), "2");
}

TEST(XmlInclude, StaysAnOrdinaryElementWithTheNoIncludeFlag)
{
    Included t;
    t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>/etc/passwd</INCLUDEXMLFILE></ROOT>");
    ASSERT_EQ(t.Load("main.xml", CGXml::kNoIncludeExpansion), kXmlOk) << t.error;
    EXPECT_STREQ(t.document.FindPath("INCLUDEXMLFILE")->GetText(), "/etc/passwd");
    EXPECT_EQ(t.document.FindPath("INCLUDEDXMLFILE"), nullptr);
}

TEST(XmlInclude, ReportsBadIncludesWithTheirMessages)
{
    struct Case {
        const char* main;
        const char* part;
        const char* error; // %s: the folder of the files
    };
    const Case cases[] = {
        {"<ROOT>\n<INCLUDEXMLFILE>missing.xml</INCLUDEXMLFILE></ROOT>", nullptr,
         "%s\\main.xml Error (line 2): Can't open Filename missing.xml"},
        {"<ROOT>\n<INCLUDEXMLFILE/></ROOT>", nullptr, "%s\\main.xml Error (line 2): Expected Filename"},
        {"<ROOT><INCLUDEXMLFILE><X/></INCLUDEXMLFILE></ROOT>", nullptr,
         "%s\\main.xml Error (line 1): Expected Filename"},
        {"<ROOT><INCLUDEXMLFILE>part.xml<X/></INCLUDEXMLFILE></ROOT>", "<B/>",
         "%s\\main.xml Error (Line 1): Expecting /INCLUDEXMLFILE"},
        {"<ROOT><INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE></ROOT>", "<B>\n<C></B>",
         "%s\\part.xml Error (Line 2): No match for element C"},
        // An included file that is not XML: its content stays out of the
        // message.
        {"<ROOT><INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE></ROOT>", "<B/>secret",
         "%s\\part.xml Error (Line 1): Malformed file (not XML)"},
        {"<ROOT><INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE></ROOT>", "root:x:0:0:root",
         "%s\\part.xml Error (Line 1): Malformed file (not XML)"},
        {"<ROOT><INCLUDEXMLFILE>main.xml</INCLUDEXMLFILE></ROOT>", nullptr,
         "%s\\main.xml Error (line 1): Recursive include of main.xml"},
        {"<ROOT><INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE></ROOT>", "<B><INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE></B>",
         "%s\\part.xml Error (line 1): Recursive include of part.xml"},
    };
    for (const Case& c : cases) {
        Included t;
        t.dir.Write("main.xml", c.main);
        if (c.part)
            t.dir.Write("part.xml", c.part);
        EXPECT_EQ(t.Load("main.xml"), kXmlMalformed) << c.main;
        char expected[512];
        snprintf(expected, sizeof expected, c.error, t.dir.Path().c_str());
        EXPECT_STREQ(t.error, expected) << c.main;
    }
}

TEST(XmlInclude, BoundsTheIncludeNestingDepth)
{
    // f0 includes f1 includes ... each file a different one.
    auto chain = [](Included& t, int files) {
        t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>f1.xml</INCLUDEXMLFILE></ROOT>");
        for (int i = 1; i <= files; ++i) {
            std::string body = i < files ? "<INCLUDEXMLFILE>f" + std::to_string(i + 1) + ".xml</INCLUDEXMLFILE>"
                                         : std::string("end");
            t.dir.Write("f" + std::to_string(i) + ".xml", "<E" + std::to_string(i) + ">" + body + "</E" +
                                                           std::to_string(i) + ">");
        }
    };
    Included ok;
    chain(ok, kXmlMaxIncludeDepth);
    EXPECT_EQ(ok.Load("main.xml"), kXmlOk) << ok.error;

    Included deep;
    chain(deep, kXmlMaxIncludeDepth + 1);
    EXPECT_EQ(deep.Load("main.xml"), kXmlMalformed);
    char expected[512];
    snprintf(expected, sizeof expected, "%s\\f8.xml Error (line 1): Includes nested too deeply at f9.xml",
             deep.dir.Path().c_str());
    EXPECT_STREQ(deep.error, expected);
}

TEST(XmlInclude, BoundsTheNumberOfIncludedFilesWhateverTheirFanOut)
{
    // Eight small files, each including the next four times: 4^7 includes
    // if nothing stops them.
    Included fan;
    fan.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>f1.xml</INCLUDEXMLFILE></ROOT>");
    for (int i = 1; i <= 8; ++i) {
        std::string body;
        for (int k = 0; k < 4 && i < 8; ++k)
            body += "<INCLUDEXMLFILE>f" + std::to_string(i + 1) + ".xml</INCLUDEXMLFILE>";
        fan.dir.Write("f" + std::to_string(i) + ".xml", "<E" + std::to_string(i) + ">" + body + "</E" +
                                                         std::to_string(i) + ">");
    }
    EXPECT_EQ(fan.Load("main.xml"), kXmlMalformed);
    EXPECT_NE(strstr(fan.error, "Too many included files at f"), nullptr) << fan.error;
    EXPECT_NE(strstr(fan.error, "(at most 64)"), nullptr) << fan.error;

    // Up to the bound, the same file may be included again and again.
    auto repeated = [](Included& t, int times) {
        std::string main = "<ROOT>";
        for (int k = 0; k < times; ++k)
            main += "<INCLUDEXMLFILE>part.xml</INCLUDEXMLFILE>";
        t.dir.Write("main.xml", main + "</ROOT>");
        t.dir.Write("part.xml", "<P>1</P>");
    };
    Included atBound;
    repeated(atBound, kXmlMaxIncludeFiles);
    ASSERT_EQ(atBound.Load("main.xml"), kXmlOk) << atBound.error;
    int parts = 0;
    for (CGXmlNode* n = atBound.document.GetRoot()->GetFirstChild(); n; n = n->GetNext())
        parts += strcmp(n->GetName(), "P") == 0;
    EXPECT_EQ(parts, kXmlMaxIncludeFiles);
    // The count starts again with every parse.
    ASSERT_EQ(atBound.Load("main.xml"), kXmlOk) << atBound.error;

    Included over;
    repeated(over, kXmlMaxIncludeFiles + 1);
    EXPECT_EQ(over.Load("main.xml"), kXmlMalformed);
    char expected[512];
    snprintf(expected, sizeof expected, "%s\\main.xml Error (line 1): Too many included files at part.xml (at most 64)",
             over.dir.Path().c_str());
    EXPECT_STREQ(over.error, expected);
}

TEST(XmlInclude, BoundsTheBytesReadThroughIncludes)
{
    // Files of NUL bytes (sparse, made in no time) read as empty texts.
    Included t;
    t.dir.Write("half.xml", "");
    std::filesystem::resize_file(t.dir.File("half.xml"), kXmlMaxIncludeBytes / 2);
    t.dir.Write("big.xml", "");
    std::filesystem::resize_file(t.dir.File("big.xml"), kXmlMaxIncludeBytes + 1);

    t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>half.xml</INCLUDEXMLFILE>"
                            "<INCLUDEXMLFILE>half.xml</INCLUDEXMLFILE></ROOT>");
    EXPECT_EQ(t.Load("main.xml"), kXmlOk) << t.error;

    char expected[512];
    t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>half.xml</INCLUDEXMLFILE>\n<INCLUDEXMLFILE>half.xml</INCLUDEXMLFILE>"
                            "<INCLUDEXMLFILE>half.xml</INCLUDEXMLFILE></ROOT>");
    EXPECT_EQ(t.Load("main.xml"), kXmlMalformed);
    snprintf(expected, sizeof expected,
             "%s\\main.xml Error (line 2): Included files too large at half.xml (at most 64 MB in all)",
             t.dir.Path().c_str());
    EXPECT_STREQ(t.error, expected);

    t.dir.Write("main.xml", "<ROOT><INCLUDEXMLFILE>big.xml</INCLUDEXMLFILE></ROOT>");
    EXPECT_EQ(t.Load("main.xml"), kXmlMalformed);
    snprintf(expected, sizeof expected,
             "%s\\main.xml Error (line 1): Included files too large at big.xml (at most 64 MB in all)",
             t.dir.Path().c_str());
    EXPECT_STREQ(t.error, expected);
}

// -------------------------------------------------------------- loading

TEST(XmlLoad, MissingFileGivesMinusOneAndAPlaceholderRoot)
{
    trovtest::TempDir dir;
    std::string path = dir.File("absent.xml");
    CGXml document;
    char error[512];
    EXPECT_EQ(document.LoadFile(path.c_str(), error, sizeof error, "VLUMEX"), kXmlCantOpen);
    EXPECT_EQ(std::string(error), path + " : Can't open file");
    ASSERT_NE(document.GetRoot(), nullptr);
    EXPECT_STREQ(document.GetRoot()->GetName(), "VLUMEX");

    EXPECT_EQ(document.LoadFile(path.c_str(), error, sizeof error, nullptr), kXmlCantOpen);
    ASSERT_NE(document.GetRoot(), nullptr);
    EXPECT_STREQ(document.GetRoot()->GetName(), "");
}

TEST(XmlLoad, BlankFileWithAnExpectedRootGivesAnEmptyRoot)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("machines.xml", "\r\n  \r\n");
    CGXml document;
    char error[512];
    bool encrypted = true;
    EXPECT_EQ(document.LoadFile(path.c_str(), error, sizeof error, "MACHINES", &encrypted), kXmlNoElement);
    EXPECT_FALSE(encrypted);
    ASSERT_NE(document.GetRoot(), nullptr);
    EXPECT_STREQ(document.GetRoot()->GetName(), "MACHINES");
    EXPECT_STREQ(document.GetName(), path.c_str());
}

TEST(XmlLoad, ReadsAFileWithWindowsLineBreaksAndCountsLines)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("s.xml", "<VLUMEX>\r\n <A>1</A>\r\n <B>\r\n</VLUMEX>\r\n");
    CGXml document;
    char error[512];
    EXPECT_EQ(document.LoadFile(path.c_str(), error, sizeof error, "VLUMEX"), kXmlMalformed);
    EXPECT_EQ(std::string(error), dir.Path() + "\\s.xml Error (Line 4): No match for element B");
}

TEST(XmlLoad, ReadsAWholeFileInTheEncryptedForm)
{
    std::string plain = "<VLUMEX><A>secret</A></VLUMEX>";
    std::string data = plain;
    unsigned char header[20];
    ASSERT_EQ(EncryptBuffer((unsigned char*)&data[0], data.size(), header, 1, ""), 0);
    trovtest::TempDir dir;
    std::string path = dir.Write("settings.xml", std::string((const char*)header, 20) + data);
    CGXml document;
    char error[512];
    bool encrypted = false;
    ASSERT_EQ(document.LoadFile(path.c_str(), error, sizeof error, "VLUMEX", &encrypted), kXmlOk) << error;
    EXPECT_TRUE(encrypted);
    EXPECT_STREQ(document.FindPath("A")->GetText(), "secret");
}

// --------------------------------------------------------------- writer

CGXml* BuildMachines(CGTextStore& store)
{
    CGXml* document = new CGXml(&store, "MACHINES", nullptr);
    CGXmlNode* machine = document->GetRoot()->AddChild(&store, "MACHINE");
    machine->AddChild(&store, "HOSTNAME")->SetText(&store, "Line <2> & \"A\"");
    CGXmlNode* if1 = machine->AddChild(&store, "IF1");
    if1->AddChild(&store, "IP")->SetText(&store, "10.0.0.2");
    machine->AddChild(&store, "IF2");
    machine->AddChild(&store, "IF")->SetTextInt(&store, 1);
    return document;
}

TEST(XmlWrite, StoreGetsWindowsLineBreaksAndOneBlankPerLevel)
{
    CGTextStore strings;
    std::unique_ptr<CGXml> document(BuildMachines(strings));
    EXPECT_EQ(WriteToStore(*document), "<MACHINES>\r\n <MACHINE>\r\n  <HOSTNAME>Line &lt;2&gt; &amp; &quot;A&quot;"
                                       "</HOSTNAME>\r\n  <IF1>\r\n   <IP>10.0.0.2</IP>\r\n  </IF1>\r\n  <IF2/>\r\n"
                                       "  <IF>1</IF>\r\n </MACHINE>\r\n</MACHINES>");
    EXPECT_EQ(WriteToStore(*document, true), "<MACHINES><MACHINE><HOSTNAME>Line &lt;2&gt; &amp; &quot;A&quot;"
                                             "</HOSTNAME><IF1><IP>10.0.0.2</IP></IF1><IF2/><IF>1</IF></MACHINE>"
                                             "</MACHINES>");
}

TEST(XmlWrite, FileGetsLineFeeds)
{
    trovtest::TempDir dir;
    CGTextStore strings;
    std::unique_ptr<CGXml> document(BuildMachines(strings));
    std::string path = dir.File("machines.xml");
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    CGXmlWriter writer(file);
    document->Write(writer);
    fclose(file);
    EXPECT_EQ(trovtest::TempDir::Read(path),
              "<MACHINES>\n <MACHINE>\n  <HOSTNAME>Line &lt;2&gt; &amp; &quot;A&quot;</HOSTNAME>\n  <IF1>\n"
              "   <IP>10.0.0.2</IP>\n  </IF1>\n  <IF2/>\n  <IF>1</IF>\n </MACHINE>\n</MACHINES>");

    // And what was written reads back the same.
    CGXml again;
    char error[256];
    ASSERT_EQ(again.LoadFile(path.c_str(), error, sizeof error, "MACHINES"), kXmlOk) << error;
    EXPECT_STREQ(again.FindPath("MACHINE HOSTNAME")->GetText(), "Line <2> & \"A\"");
    EXPECT_EQ(WriteToStore(again), WriteToStore(*document));
}

TEST(XmlWrite, AttributesRoundTripAndChildrenWinOverText)
{
    Parsed p;
    Parse(p, "<A x=\"1\"/>");
    ASSERT_EQ(p.result, kXmlOk);
    CGXmlNode* x = p.document.GetRoot()->GetFirstChild();
    ASSERT_NE(x, nullptr);
    EXPECT_STREQ(x->GetName(), "x");
    EXPECT_STREQ(x->GetText(), "1");
    EXPECT_EQ(WriteToStore(p.document), "<A x=\"1\"/>");

    Parsed q;
    Parse(q, "<A v=\"a&amp;b\" e=\"\">text<B>1</B></A>");
    ASSERT_EQ(q.result, kXmlOk) << q.error;
    EXPECT_EQ(WriteToStore(q.document), "<A v=\"a&amp;b\" e=\"\">\r\n <B>1</B>\r\n</A>");
}

TEST(XmlWrite, HandMadeSequencesLeavesAndAttributes)
{
    CGTextStore store;
    CGXmlWriter writer(&store);
    writer.BeginElement("SETUPS");
    writer.Attribute("v", "1&2");
    writer.Attribute("flag", nullptr);
    writer.CloseStartTag(false);
    writer.BeginElement("SETUP");
    writer.CloseStartTag(false);
    writer.Leaf("NAME", "Base");
    writer.Leaf("EMPTY", "");
    writer.LeafInt("AI", -2);
    writer.LeafULong("ID", 4294967295u);
    writer.BeginElement("E");
    writer.CloseStartTag(true);
    writer.EndAll();
    EXPECT_EQ(writer.m_state, CGXmlWriter::kAfterEndTag);
    EXPECT_TRUE(writer.m_open.empty());
    EXPECT_EQ(writer.m_depth, 0);
    size_t length = 0;
    char* text = store.GetText(&length);
    EXPECT_STREQ(text, "<SETUPS v=\"1&amp;2\" flag>\r\n <SETUP>\r\n  <NAME>Base</NAME>\r\n  <EMPTY/>\r\n  <AI>-2</AI>\r\n"
                       "  <ID>4294967295</ID>\r\n  <E/>\r\n </SETUP>\r\n</SETUPS>");
    EXPECT_EQ(length, strlen(text) + 1);
    free(text);

    // Text written right behind a start tag keeps its end tag on its line;
    // raw text is written unchanged; the writer is reusable after EndAll.
    CGTextStore out;
    CGXmlWriter second(&out);
    second.BeginElement("T");
    second.CloseStartTag(false);
    WriteXmlEscaped(second.m_file, second.m_store, "<raw/>", true);
    second.EndElement();
    second.EndElement(); // nothing is open any more
    text = out.GetText(nullptr);
    EXPECT_STREQ(text, "<T><raw/></T>");
    free(text);
}

TEST(XmlWrite, LongNamesAreWrittenWhole)
{
    std::string name(300, 'N');
    CGTextStore store;
    CGXmlWriter writer(&store, true);
    writer.Leaf(name.c_str(), "v");
    char* text = store.GetText(nullptr);
    EXPECT_EQ(std::string(text), "<" + name + ">v</" + name + ">");
    free(text);
}

// --------------------------------------------------- tree and getters

TEST(XmlTree, BuildsPathsInMemory)
{
    CGTextStore store;
    CGXml document(&store, "TROV", "top");
    EXPECT_STREQ(document.GetRoot()->GetText(), "top");
    CGXmlNode* ip = document.SetPathText(&store, "IF1 IP", "10.1.1.1");
    ASSERT_NE(ip, nullptr);
    EXPECT_EQ(document.SetPathText(&store, "IF1  IP", "10.1.1.2"), ip);
    EXPECT_STREQ(ip->GetText(), "10.1.1.2");
    EXPECT_EQ(document.GetRoot()->AddChild(&store, "IF1", true), ip->GetParent());
    EXPECT_NE(document.GetRoot()->AddChild(&store, "IF1", false), ip->GetParent());
    CGXmlNode* fresh = document.GetRoot()->FindOrCreatePath(&store, "IF1 IP", false);
    EXPECT_NE(fresh, ip);
    EXPECT_EQ(fresh->GetParent(), ip->GetParent());
    EXPECT_EQ(document.FindPath(std::string(1100, 'x').c_str()), nullptr);
    EXPECT_EQ(document.GetRoot()->FindOrCreatePath(&store, std::string(1100, 'x').c_str()), nullptr);

    CGXml empty;
    EXPECT_EQ(empty.SetPathText(&store, "A", "1"), nullptr);
    EXPECT_EQ(empty.FindPath("A"), nullptr);
}

TEST(XmlTree, NodesMadeInMemoryBelowAParsedTreeAreFreedWithIt)
{
    CGTextStore store;
    CGXml document;
    char error[64];
    ASSERT_EQ(document.ParseText("t", "<A><B/></A>", error, sizeof error, nullptr), kXmlOk);
    document.SetPathText(&store, "B C D", "1");
    document.GetRoot()->AddAttribute(&store, "x", "2");
    EXPECT_STREQ(document.FindPath("B C D")->GetText(), "1");
    EXPECT_STREQ(document.GetRoot()->FindChild("x", true)->GetText(), "2");
    // (the sanitizers check that nothing leaks here)
}

struct Getter {
    const char* text;
    bool boolean;
    int integer;    // default 7
    uint32_t ulong; // default 9
};

TEST(XmlTree, TypedGettersReadTheText)
{
    const Getter cases[] = {
        {"", false, 7, 9},          {"y", true, 0, 9},         {"YES", true, 0, 9},
        {"t", true, 0, 9},          {"True", true, 0, 9},      {"n", false, 0, 9},
        {"No", false, 0, 9},        {"F", false, 0, 9},        {"false", false, 0, 9},
        {"1", true, 1, 1},          {"0", false, 0, 0},        {"-3", false, -3, 4294967293u},
        {"  42abc", true, 42, 42},  {"abc", false, 0, 9},      {"2v1", true, 2, 2},
        {"99999999999", true, 2147483647, 1215752191u},       {"-99999999999", false, -2147483647 - 1, 3079215105u},
        {"4294967295", true, 2147483647, 4294967295u},
    };
    CGTextStore store;
    CGXml document(&store, "A", nullptr);
    for (const Getter& c : cases) {
        document.GetRoot()->SetText(&store, c.text);
        EXPECT_EQ(document.GetRoot()->GetBool(), c.boolean) << c.text;
        EXPECT_EQ(document.GetRoot()->GetInt(7), c.integer) << c.text;
        EXPECT_EQ(document.GetRoot()->GetULong(9), c.ulong) << c.text;
    }
}

TEST(XmlTree, TextsLongerThanAStoreBlockSurviveBuildWriteAndRead)
{
    // Lengths around the store's block and far beyond it, with bytes the
    // writer escapes, as element text and as attribute value.
    for (size_t length : {(size_t)CGTextStore::kBlockSize - 1, (size_t)CGTextStore::kBlockSize, (size_t)1 << 22}) {
        std::string text(length, 'c');
        text[0] = '<';
        text[length / 2] = '&';
        CGTextStore store;
        CGXml built(&store, "MACHINES", nullptr);
        CGXmlNode* machine = built.GetRoot()->AddChild(&store, "MACHINE");
        machine->AddChild(&store, "COMMENT")->SetText(&store, text.c_str());
        machine->AddAttribute(&store, "note", text.c_str());
        ASSERT_STREQ(built.FindPath("MACHINE COMMENT")->GetText(), text.c_str()) << length;

        Parsed back;
        Parse(back, WriteToStore(built), "MACHINES");
        ASSERT_EQ(back.result, kXmlOk) << back.error;
        EXPECT_EQ(back.document.FindPath("MACHINE COMMENT")->GetText(), text) << length;
        EXPECT_EQ(back.document.FindPath("MACHINE note")->GetText(), text) << length;
    }
}

// ------------------------------------------------------------ text store

TEST(XmlTextStore, InternsAppendsAndJoins)
{
    CGTextStore store;
    size_t length = 0;
    char* text = store.GetText(&length);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(length, 1u);
    free(text);

    EXPECT_EQ(store.Intern(nullptr), nullptr);
    // Strings up to a block, just over it and far over it are all kept
    // whole, in order, and the store goes on with ordinary blocks behind.
    std::string joined;
    for (size_t length : {(size_t)CGTextStore::kBlockSize - 1, (size_t)CGTextStore::kBlockSize,
                          (size_t)CGTextStore::kBlockSize + 1, (size_t)5 * CGTextStore::kBlockSize}) {
        std::string big(length, (char)('a' + joined.size() % 26));
        const char* kept = store.Intern(big.c_str());
        ASSERT_NE(kept, nullptr) << length;
        EXPECT_EQ(std::string(kept), big) << length;
        const char* small = store.Intern("s");
        EXPECT_STREQ(small, "s");
        joined += big + "s";
    }
    text = store.GetText(&length);
    EXPECT_EQ(std::string(text), joined);
    free(text);
    store.FreeAll();

    // Appended text continues across blocks and never changes an interned
    // string.
    const char* name = store.Intern("NAME");
    std::string longText(3 * CGTextStore::kBlockSize + 17, 'z');
    store.Append("<");
    store.Append(longText.c_str());
    store.Append(">");
    EXPECT_STREQ(name, "NAME");
    text = store.GetText(&length);
    EXPECT_EQ(std::string(text), "NAME<" + longText + ">");
    EXPECT_EQ(length, longText.size() + 7);
    free(text);
}

} // namespace
