// Reading FDF templates, writing FDF values, and the number rules of the form's values.

#include <gtest/gtest.h>

#include <fstream>

#include "ComError.h"
#include "Conversions.h"
#include "FdfFill.h"
#include "FdfText.h"
#include "FormErrors.h"
#include "FormRoutes.h"
#include "FormTables.h"
#include "FormValues.h"
#include "ErrorNumber.h"
#include "ScratchFolder.h"

using namespace tally::forms;

namespace {

// A template whose third line lists `count` fields: the first a check box, then text fields named by `name`.
std::string templateText(int count, const std::string& first, const std::function<std::string(int)>& name) {
    std::string line = "1 0 obj<</FDF<</F(4562_04.pdf)/Fields[" + first;
    for (int k = 2; k <= count; ++k) line += "<</T(" + name(k) + ")/V()>>";
    return "%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n" + line + "]>>>>\r\nendobj\r\ntrailer\r\n<</Root 1 0 R>>\r\n%%EOF\r\n";
}

using tally::testing::errorNumberOf;

// The fields a reader finds in an FDF file whose dictionary line is `dictionary`.
std::vector<pdf::FdfField> readBack(const std::string& dictionary) {
    tally::testing::ScratchFolder scratch;
    std::ofstream(scratch / "read.fdf", std::ios::binary) << fdfFileBytes(dictionary);
    return pdf::readFdf(scratch / "read.fdf").fields;
}

}  // namespace

TEST(FdfTemplate, TakesExactlyTheYearsCountOfEntries) {
    auto spare = [](int k) { return "f9-" + std::to_string(k); };
    const std::string text = templateText(205, "<</T(c1-1)/V/Off>>", spare);
    EXPECT_EQ(parseFdfTemplate(text, 2001).entries.size(), 198u);
    EXPECT_EQ(parseFdfTemplate(text, 2002).entries.size(), 200u);
    const FdfTemplate fields = parseFdfTemplate(text, 2004);
    EXPECT_EQ(fields.opening, "1 0 obj<</FDF<</F(4562_04.pdf)/Fields[<</T(c1-1)/V/");
    EXPECT_EQ(fields.entries[1].lookupName, "f9-2");
    EXPECT_FALSE(fields.entries[0].textValue);  // "/V/Off"
    EXPECT_TRUE(fields.entries[1].textValue);   // "/V()"
}

TEST(FdfTemplate, ShortOrBrokenTemplatesRaiseInsteadOfWritingGarbage) {
    auto spare = [](int k) { return "f9-" + std::to_string(k); };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {templateText(199, "<</T(c1-1)/V/Off>>", spare), "holds 199 of the 200 fields"},
        {"%FDF-1.2\r\n%x\r\n", "holds 0 of the 200 fields"},
        {"only one line", "holds 0 of the 200 fields"},
        {templateText(200, "<</T(c1-1)/X/Off>>", spare), "field entry 1 cannot be read"},
        {templateText(200, "<</T(c1-1/V/Off>>", spare), "field entry 1 cannot be read"},
        {"a\nb\n1 0 obj<</FDF<</Fields[<</T(f1-1)/V(open", "field entry 1 is not closed"}};
    for (const auto& [text, detail] : cases) {
        std::string description;
        EXPECT_EQ(errorNumberOf([&] { parseFdfTemplate(text, 2004); }, &description), ErrTemplateMissing);
        EXPECT_NE(description.find("year 2004 is damaged: "), std::string::npos) << description;
        EXPECT_NE(description.find(detail), std::string::npos) << description;
    }
}

TEST(FdfTemplate, SuffixedNamesOf2006To2008AreLookedUpWithoutTheirSuffix) {
    auto name = [](int k) { return "f1_" + std::to_string(k) + "\\(0\\)"; };
    const FdfTemplate fields = parseFdfTemplate(templateText(200, "<</T(c1_1\\(0\\))/V/Off>>", name), 2007);
    EXPECT_EQ(fields.opening, "1 0 obj<</FDF<</F(4562_04.pdf)/Fields[<</T(c1_1\\(0\\))/V/");
    EXPECT_EQ(fields.entries[3].rawName, "f1_4\\(0\\)");
    EXPECT_EQ(fields.entries[3].lookupName, "f1-4");
    EXPECT_EQ(fdfRawName("f1-4", 2007), "f1_4\\(0\\)");
    EXPECT_EQ(fdfFieldName("f1-4", 2007), "f1_4(0)");
    EXPECT_EQ(fdfFieldName("f1-4", 2004), "f1-4");
}

TEST(FdfMerge, WritesLine18FirstTheTableValuesByNameAndABlankForUnknownNames) {
    Form4562Values values;
    values.set("18", "On");
    values.set("2", "30000");
    values.set("owner", "Smith (Tools) \\ Sons");
    values.set("24a", "Yes");
    const std::string first = "<</T(c2-1)/V/Off>>";  // in the table, but the first field always takes line 18
    auto names = [](int k) {
        return k == 2 ? std::string("f1-4") : k == 3 ? std::string("f1-1") : k == 4 ? std::string("c2-1")
                                                                                    : "x9-" + std::to_string(k);
    };
    const FdfTemplate fields = parseFdfTemplate(templateText(200, first, names), 2004);
    const std::string dictionary = mergeFdfFields(fields, 2004, values);
    EXPECT_TRUE(dictionary.starts_with("1 0 obj<</FDF<</F(4562_04.pdf)/Fields[<</T(c2-1)/V/On>>"
                                       "<</T(f1-4)/V(30,000)>><</T(f1-1)/V(Smith \\(Tools\\) \\\\ Sons)>>"
                                       "<</T(c2-1)/V/Yes>><</T(x9-5)/V/#20>>"))
        << dictionary.substr(0, 300);
    EXPECT_TRUE(dictionary.ends_with("<</T(x9-200)/V/#20>>]>>>>"));

    // A first entry the template opens as text (a check box's name with "/V(") keeps its string closed, so the
    // rest of the form still reads.
    const std::string textFirst = mergeFdfFields(parseFdfTemplate(templateText(200, "<</T(c1-1)/V()>>", names), 2004),
                                                 2004, values);
    EXPECT_TRUE(textFirst.starts_with("1 0 obj<</FDF<</F(4562_04.pdf)/Fields[<</T(c1-1)/V(On)>><</T(f1-4)/V(30,000)>>"))
        << textFirst.substr(0, 200);
    const auto readFields = readBack(textFirst);
    ASSERT_EQ(readFields.size(), 200u);
    EXPECT_EQ(readFields[0].value, "On");
    EXPECT_EQ(readFields[2].value, "Smith (Tools) \\ Sons");

    auto suffixed = [](int k) { return k == 2 ? std::string("f1_4\\(0\\)") : "f9_" + std::to_string(k) + "\\(0\\)"; };
    const std::string y2007 =
        mergeFdfFields(parseFdfTemplate(templateText(200, "<</T(c1_1\\(0\\))/V/Off>>", suffixed), 2007), 2007, values);
    EXPECT_NE(y2007.find("<</T(c1_1\\(0\\))/V/On>><</T(f1_4\\(0\\))/V(30,000)>><</T(f9_3\\(0\\))/V( )>>"),
              std::string::npos);
}

// Text values are PDF text strings: PDFDocEncoding when every character has a code there, else UTF-16BE behind
// its byte-order mark; either way "\\", "(", ")" and line breaks are escaped byte by byte.
TEST(FdfText, ValuesAreEscapedPdfTextStrings) {
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, std::string>> text = {
        {"plain", "plain"},
        {"a(b)c\\d", "a\\(b\\)c\\\\d"},
        {"M\xC3\xBCller", "M\xFCller"},
        {"line\r\nbreak", "line\\r\\nbreak"},
        {"\xE2\x82\xAC 5", "\xA0 5"},                            // the euro sign's PDFDoc code
        {"Joe\xE2\x80\x99s", "Joe\x90s"},                        // typographic apostrophe
        {"a\xC2\xA0" "b", "\xFE\xFF\0a\0\xA0\0b"s},              // no-break space: no PDFDoc code
        {"(\xE4\xB8\xAD)", "\xFE\xFF\0\\(\x4E\x2D\0\\)"s},        // UTF-16 bytes escaped too
        {"bad \xFF", "\xFE\xFF\0b\0a\0d\0 \xFF\xFD"s}};          // not UTF-8: the replacement character
    for (const auto& [in, out] : text) EXPECT_EQ(fdfTextValue(in), out) << in;
    EXPECT_EQ(fdfStateValue("Yes"), "Yes");
    EXPECT_EQ(fdfStateValue("Y/es (x)"), "Y#2Fes#20#28x#29");
    EXPECT_EQ(fdfStateValue(""), "");
}

// What a reader decodes is what was typed, in both encodings.
TEST(FdfText, TextValuesReadBackAsTyped) {
    const std::vector<std::string> typed = {"Joe\xE2\x80\x99s\xC2\xA0Garage", "\xE2\x82\xAC 5", "Joe\xE2\x80\x99s",
                                            "M\xC3\xBCller (Tools) \\ Sons\r\nLine 2",
                                            "\xE2\x80\x9C(\xE4\xB8\xAD)\xE2\x80\x9D"};
    std::string dictionary = "1 0 obj<</FDF<</F(4562_04.pdf)/Fields[";
    for (std::size_t k = 0; k < typed.size(); ++k) {
        dictionary += fdfEntry("f1-" + std::to_string(k + 1), true, fdfTextValue(typed[k]));
    }
    const auto fields = readBack(dictionary + "]>>>>");
    ASSERT_EQ(fields.size(), typed.size());
    for (std::size_t k = 0; k < typed.size(); ++k) EXPECT_EQ(fields[k].value, typed[k]) << k;
}

TEST(FdfText, FileFrameIsTheSevenLinesWithCrLf) {
    EXPECT_EQ(fdfFileBytes("DICT"), std::string("%FDF-1.2\r\n\x25\xE2\xE3\xCF\xD3\r\nDICT\r\nendobj\r\ntrailer\r\n"
                                                 "<</Root 1 0 R>>\r\n%%EOF\r\n"));
}

TEST(FormValues, FormatsPassTextsThatAreNoNumbers) {
    const std::vector<std::tuple<std::string, NumberTag, std::string>> cases = {
        {"30000", NumberTag::N0, "30,000"}, {"0", NumberTag::N0, "0"},       {"0", NumberTag::N, ""},
        {"", NumberTag::N0, ""},            {"Missing", NumberTag::N0, "Missing"},
        {"54,048", NumberTag::N, "54,048"}, {"54,048 *", NumberTag::N, "54,048 *"},
        {"  Press", NumberTag::N, "  Press"}, {"1234.5", NumberTag::N, "1,235"}, {"-500", NumberTag::N0, "-500"},
        {"250000", NumberTag::None, "250000"}};
    for (const auto& [text, tag, expected] : cases) EXPECT_EQ(formatTagged(text, tag), expected) << text;
}

TEST(FormValues, ArithmeticReadsLeadingNumbersAndRoundsHalfToEven) {
    EXPECT_EQ(vb::Val("Missing"), 0);
    EXPECT_EQ(vb::Val(""), 0);
    EXPECT_EQ(vb::Val("301.5abc"), 301.5);
    EXPECT_EQ(vb::CLng(301.5), 302);
    EXPECT_EQ(vb::CLng(300.5), 300);
    EXPECT_EQ(vb::CLng(-2.5), -2);
    EXPECT_EQ(errorNumberOf([] { vb::CLng(3e9); }), tally::vberr::Overflow);
    EXPECT_EQ(vb::NumberText(15000 + 2500 + 1200), "18700");
    Form4562Values values;
    EXPECT_THROW(values.set("26.4(a)", "x"), std::logic_error);
    EXPECT_THROW(values["19h(d)"], std::logic_error);
    EXPECT_EQ(values["44"], "");
}
