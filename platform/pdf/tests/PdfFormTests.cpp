#include <gtest/gtest.h>

#include <unistd.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "ComError.h"
#include "CommaDecimalLocale.h"
#include "FdfFill.h"
#include "FormBuilder.h"
#include "PdfForm.h"
#include "ErrorNumber.h"
#include "FullDisk.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;
using pdf::FieldKind;
using pdf::SheetFieldKind;

namespace {

using tally::testing::FullDisk;
using tally::testing::ScratchFolder;

using tally::testing::errorNumberOf;

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A sheet with one field of every kind; the radio pair must count as one field.
fs::path buildSampleSheet(const ScratchFolder& folder) {
    pdf::FormBuilder sheet("Sample sheet");
    sheet.addField("spare", "not used", SheetFieldKind::Hidden);
    sheet.addField("name", "Line 1 name", SheetFieldKind::Text);
    sheet.addField("group", "Line 18 election", SheetFieldKind::CheckBox);
    sheet.addField("answer", "Line 24a evidence?", SheetFieldKind::RadioYesNo);
    sheet.addField("amount", "Line 2 amount", SheetFieldKind::Text);
    fs::path path = folder / "sheet.pdf";
    sheet.save(path);
    return path;
}

// Whether a content stream of the file draws `text` (a field's appearance, for one).
bool drawsText(const fs::path& file, const std::string& text) {
    QPDF pdf;
    pdf.processFile(file.c_str());
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (!object.isStream()) continue;
        const auto data = object.getStreamData(qpdf_dl_generalized);
        const std::string_view content(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        if (content.find(text) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

TEST(PdfForm, CountsFieldsDepthFirstWithARadioPairAsOneField) {
    ScratchFolder folder;
    pdf::PdfForm form;
    form.LoadFromFile(buildSampleSheet(folder));
    ASSERT_EQ(form.FormFieldCount(), 5);
    const std::vector<std::pair<std::string, FieldKind>> expected = {
        {"spare", FieldKind::Text}, {"name", FieldKind::Text}, {"group", FieldKind::CheckBox},
        {"answer", FieldKind::Radio}, {"amount", FieldKind::Text}};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(form.FieldName(i), expected[i - 1].first);
        EXPECT_EQ(form.FieldKindOf(i), expected[i - 1].second);
    }
    EXPECT_TRUE(form.FieldHidden(1));
    EXPECT_FALSE(form.FieldHidden(2));
    EXPECT_EQ(form.FieldCaption(4), "Line 24a evidence?");
    EXPECT_EQ(form.FindField("amount"), 5);
    EXPECT_EQ(form.FindField("missing"), 0);
}

TEST(PdfForm, SetValuesSurviveSaveAndReload) {
    ScratchFolder folder;
    fs::path filled = folder / "filled.pdf";
    {
        pdf::PdfForm form;
        form.LoadFromFile(buildSampleSheet(folder));
        form.SetFormFieldValue(2, "Smith (Tools) \\ Sons, M\xC3\xBCller");
        form.SetFormFieldValue(3, "on");
        form.SetFormFieldValue(4, "No");
        form.SetFormFieldValue(5, "30,000");
        form.SaveToFile(filled);
    }
    pdf::PdfForm back;
    back.LoadFromFile(filled);
    EXPECT_EQ(back.FieldValue(1), "");
    EXPECT_EQ(back.FieldValue(2), "Smith (Tools) \\ Sons, M\xC3\xBCller");
    EXPECT_EQ(back.FieldValue(3), "Yes");
    EXPECT_EQ(back.FieldValue(4), "No");
    EXPECT_EQ(back.FieldValue(5), "30,000");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);  // no leftovers
    // The values are drawn in the form itself, so a viewer that does not draw fields shows them too.
    EXPECT_TRUE(drawsText(filled, "(30,000)"));
}

// The form's fonts draw single-byte text: a name they cannot draw is left to the viewer to draw from its value.
TEST(PdfForm, TextItsFontsCannotDrawIsLeftToTheViewer) {
    ScratchFolder folder;
    const fs::path sheet = buildSampleSheet(folder);
    const auto viewerDraws = [&](const std::string& name) {
        pdf::PdfForm form;
        form.LoadFromFile(sheet);
        form.SetFormFieldValue(2, name);
        form.SaveToFile(folder / "filled.pdf");
        QPDF saved;
        saved.processFile((folder / "filled.pdf").c_str());
        QPDFObjectHandle flag = saved.getRoot().getKey("/AcroForm").getKey("/NeedAppearances");
        return flag.isBool() && flag.getBoolValue();
    };
    EXPECT_FALSE(viewerDraws("M\xC3\xBCller \xE2\x82\xAC 5"));  // Müller € 5: the fonts have these
    EXPECT_TRUE(viewerDraws("\xC5\x81ukasz Dvo\xC5\x99\xC3\xA1k"));  // Łukasz Dvořák
}

TEST(PdfForm, ButtonsTakeOffForTextsThatAreNoState) {
    ScratchFolder folder;
    pdf::PdfForm form;
    form.LoadFromFile(buildSampleSheet(folder));
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"Yes", "Yes", "Yes"}, {"no", "Off", "No"}, {"", "Off", "Off"}, {"Maybe", "Off", "Off"}, {"YES", "Yes", "Yes"}};
    for (const auto& [value, box, radio] : cases) {
        form.SetFormFieldValue(3, value);
        form.SetFormFieldValue(4, value);
        EXPECT_EQ(form.FieldValue(3), box) << value;
        EXPECT_EQ(form.FieldValue(4), radio) << value;
    }
}

// An official form may name the states of a Yes/No group "1" and "2": Yes takes the first widget's state.
TEST(PdfForm, AYesNoGroupWithOtherStateNamesTakesItsWidgetsInOrder) {
    ScratchFolder folder;
    const fs::path numbered = folder / "numbered.pdf";
    {
        QPDF pdf;
        pdf.processFile(buildSampleSheet(folder).c_str());
        QPDFObjectHandle group = pdf.getRoot().getKey("/AcroForm").getKey("/Fields").getArrayItem(3);
        ASSERT_EQ(group.getKey("/T").getUTF8Value(), "answer");
        const std::pair<const char*, const char*> renames[] = {{"/Yes", "/1"}, {"/No", "/2"}};
        for (int k = 0; k < 2; ++k) {
            QPDFObjectHandle states = group.getKey("/Kids").getArrayItem(k).getKey("/AP").getKey("/N");
            states.replaceKey(renames[k].second, states.getKey(renames[k].first));
            states.removeKey(renames[k].first);
        }
        QPDFWriter writer(pdf, numbered.c_str());
        writer.write();
    }
    pdf::PdfForm form;
    form.LoadFromFile(numbered);
    const std::pair<std::string, std::string> cases[] = {
        {"Yes", "1"}, {"no", "2"}, {"2", "2"}, {"Maybe", "Off"}, {"YES", "1"}, {"", "Off"}};
    for (const auto& [value, state] : cases) {
        form.SetFormFieldValue(4, value);
        EXPECT_EQ(form.FieldValue(4), state) << value;
    }
}

TEST(PdfForm, FailuresAreRaisedWithTheirNumbers) {
    ScratchFolder folder;
    writeBytes(folder / "junk.pdf", "this is no PDF at all");
    pdf::PdfForm form;
    EXPECT_EQ(errorNumberOf([&] { form.LoadFromFile(folder / "none.pdf"); }), tally::vberr::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { form.LoadFromFile(folder / "junk.pdf"); }), pdf::kUnreadableForm);
    form.LoadFromFile(buildSampleSheet(folder));
    EXPECT_EQ(errorNumberOf([&] { form.SetFormFieldValue(0, "x"); }), tally::vberr::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { form.SetFormFieldValue(6, "x"); }), tally::vberr::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([&] { form.SaveToFile(folder / "no-such-folder" / "out.pdf"); }),
              tally::vberr::PathFileAccessError);
    EXPECT_FALSE(fs::exists(folder / "no-such-folder"));
}

// The PDF writer does not see a failure of its last flush: a full disk would leave a form cut short as if saved.
TEST(PdfForm, AFullDiskKeepsTheEarlierFileAndSaysWhy) {
    ScratchFolder folder;
    pdf::PdfForm form;
    form.LoadFromFile(buildSampleSheet(folder));
    FullDisk disk(1024);  // smaller than the form, whichever way the disk fills
    writeBytes(disk / "out.pdf", "earlier run");
    disk.fill();
    std::string description;
    EXPECT_EQ(errorNumberOf([&] { form.SaveToFile(disk / "out.pdf"); }, &description),
              tally::vberr::PathFileAccessError);
    disk.empty();
    EXPECT_NE(description.find(disk.reason()), std::string::npos) << description;
    EXPECT_EQ(readBytes(disk / "out.pdf"), "earlier run");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.path()), fs::directory_iterator()), 1);  // no leftovers
}

TEST(FormBuilder, ManyFieldsSpreadOverPagesKeepTheirOrder) {
    ScratchFolder folder;
    pdf::FormBuilder sheet("Long sheet");
    for (int i = 1; i <= 265; ++i) {
        sheet.addField("f" + std::to_string(i), "caption " + std::to_string(i),
                       i % 7 == 0 ? SheetFieldKind::RadioYesNo : SheetFieldKind::Text);
    }
    sheet.save(folder / "long.pdf");
    pdf::PdfForm form;
    form.LoadFromFile(folder / "long.pdf");
    ASSERT_EQ(form.FormFieldCount(), 265);
    for (int i = 1; i <= 265; ++i) EXPECT_EQ(form.FieldName(i), "f" + std::to_string(i));
}

// The sheet's coordinates are PDF numbers, which take "." whatever locale the program runs in: a German user's
// sheet is the same file, byte for byte, as anyone else's.
TEST(FormBuilder, ACommaDecimalLocaleChangesNoByteOfTheSheet) {
    ScratchFolder plain;
    ScratchFolder german;
    const fs::path expected = buildSampleSheet(plain);
    fs::path built;
    {
        const tally::testing::CommaDecimalLocale locale;
        ASSERT_EQ(locale.streamText(1234.5), "1.234,5");
        if (!locale.germanC()) GTEST_SKIP() << "no German C locale here, so printf would keep its \".\"";
        built = buildSampleSheet(german);
    }
    const std::string expectedBytes = readBytes(expected);
    ASSERT_FALSE(expectedBytes.empty());
    EXPECT_TRUE(readBytes(built) == expectedBytes) << "the sheet built in the comma-decimal locale differs";
}

TEST(FdfFill, FillsTheNamedFormFromEscapedValuesAndStateNames) {
    ScratchFolder folder;
    buildSampleSheet(folder);
    // Latin-1 "\xFC" in the FDF stands for u-umlaut; unknown fields are passed over.
    writeBytes(folder / "data.fdf",
               "%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n"
               "1 0 obj<</FDF<</F(sheet.pdf)/Fields[<</T(group)/V/Yes>><</T(name)/V(A \\(B\\) \\\\ M\xFCller)>>"
               "<</T(answer)/V/Yes>><</T(unknown)/V(x)>><</T(amount)/V(1,234)>>]>>>>\r\n"
               "endobj\r\ntrailer\r\n<</Root 1 0 R>>\r\n%%EOF\r\n");
    pdf::FdfContent content = pdf::readFdf(folder / "data.fdf");
    EXPECT_EQ(content.form, "sheet.pdf");
    ASSERT_EQ(content.fields.size(), 5u);
    EXPECT_EQ(content.fields[1].value, "A (B) \\ M\xC3\xBCller");

    EXPECT_EQ(pdf::fillFormFromFdf(folder / "data.fdf", folder / "filled.pdf"), 4);
    pdf::PdfForm back;
    back.LoadFromFile(folder / "filled.pdf");
    EXPECT_EQ(back.FieldValue(2), "A (B) \\ M\xC3\xBCller");
    EXPECT_EQ(back.FieldValue(3), "Yes");
    EXPECT_EQ(back.FieldValue(4), "Yes");
    EXPECT_EQ(back.FieldValue(5), "1,234");
}

TEST(FdfFill, MissingOrDamagedInputsAreErrors) {
    ScratchFolder folder;
    writeBytes(folder / "other.fdf", "%FDF-1.2\r\n1 0 obj<</FDF<</F(absent.pdf)/Fields[]>>>>\r\nendobj\r\n");
    writeBytes(folder / "broken.fdf", "%FDF-1.2\r\nnothing here\r\n");
    EXPECT_EQ(errorNumberOf([&] { pdf::fillFormFromFdf(folder / "none.fdf", folder / "o.pdf"); }),
              tally::vberr::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { pdf::fillFormFromFdf(folder / "other.fdf", folder / "o.pdf"); }),
              tally::vberr::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { pdf::fillFormFromFdf(folder / "broken.fdf", folder / "o.pdf"); }),
              pdf::kUnreadableForm);
    EXPECT_FALSE(fs::exists(folder / "o.pdf"));
}

TEST(FdfFill, NeverWritesOverTheFormItFills) {
    ScratchFolder folder;
    const fs::path sheet = buildSampleSheet(folder);
    const auto size = fs::file_size(sheet);
    writeBytes(folder / "data.fdf", "%FDF-1.2\r\n1 0 obj<</FDF<</F(sheet.pdf)/Fields[<</T(name)/V(x)>>]>>>>\r\nendobj\r\n");
    EXPECT_EQ(errorNumberOf([&] { pdf::fillFormFromFdf(folder / "data.fdf", sheet); }),
              tally::vberr::PathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { pdf::fillFormFromFdf(folder / "data.fdf", folder / "." / "sheet.pdf"); }),
              tally::vberr::PathFileAccessError);
    EXPECT_EQ(fs::file_size(sheet), size);
    pdf::PdfForm form;
    form.LoadFromFile(sheet);
    EXPECT_EQ(form.FieldValue(2), "");
}
