#include "FormBuilder.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>

#include "ComError.h"
#include "ReplaceFile.h"

namespace pdf {

namespace fs = std::filesystem;

namespace {

constexpr double kPageWidth = 612;
constexpr double kPageHeight = 792;
constexpr double kTop = 742;
constexpr double kBottom = 36;
constexpr double kRowHeight = 13.5;
constexpr double kColumnLeft[] = {28, 316};
constexpr double kCaptionWidth = 182;
constexpr double kFieldWidth = 96;
constexpr double kFieldHeight = 11;
constexpr double kBoxSize = 9;
constexpr int kRowsPerColumn = static_cast<int>((kTop - kBottom) / kRowHeight);

// A PDF literal string of printable ASCII text, with the characters that end or escape a string escaped.
std::string literal(const std::string& text) {
    std::string out = "(";
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += (u >= 32 && u < 127) ? c : '?';
    }
    return out + ")";
}

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}

std::string rect(double x, double y, double w, double h) {
    return "[" + number(x) + " " + number(y) + " " + number(x + w) + " " + number(y + h) + "]";
}

QPDFObjectHandle stream(QPDF& pdf, const std::string& dictionary, const std::string& content) {
    QPDFObjectHandle s = QPDFObjectHandle::newStream(&pdf, content);
    QPDFObjectHandle extra = QPDFObjectHandle::parse(dictionary);
    for (const auto& key : extra.getKeys()) s.getDict().replaceKey(key, extra.getKey(key));
    return s;
}

struct Appearances {
    QPDFObjectHandle on;
    QPDFObjectHandle off;
};

Appearances boxAppearances(QPDF& pdf, QPDFObjectHandle zapf) {
    const std::string box = "0.5 G 0.5 0.5 " + number(kBoxSize - 1) + " " + number(kBoxSize - 1) + " re S\n";
    std::string dict = "<< /Type /XObject /Subtype /Form /BBox [0 0 " + number(kBoxSize) + " " + number(kBoxSize) + "] >>";
    Appearances a;
    a.on = stream(pdf, dict, box + "q 0 g BT /ZaDb 7 Tf 1.4 1.8 Td (4) Tj ET Q\n");
    a.on.getDict().replaceKey("/Resources", QPDFObjectHandle::parse("<< >>"));
    a.on.getDict().getKey("/Resources").replaceKey("/Font", QPDFObjectHandle::parse("<< >>"));
    a.on.getDict().getKey("/Resources").getKey("/Font").replaceKey("/ZaDb", zapf);
    a.off = stream(pdf, dict, box);
    return a;
}

}  // namespace

FormBuilder::FormBuilder(std::string title) : title_(std::move(title)) {}

void FormBuilder::addField(std::string name, std::string caption, SheetFieldKind kind) {
    fields_.push_back({std::move(name), std::move(caption), kind});
}

void FormBuilder::save(const fs::path& path) const {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle helv = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    QPDFObjectHandle zapf = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >>"));
    QPDFObjectHandle fieldList = QPDFObjectHandle::newArray();
    QPDFPageDocumentHelper pages(pdf);

    std::size_t next = 0;
    int pageNumber = 0;
    do {
        ++pageNumber;
        QPDFObjectHandle page = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 " + number(kPageWidth) + " " + number(kPageHeight) + "] >>"));
        QPDFObjectHandle annots = QPDFObjectHandle::newArray();
        std::string content = "BT /F1 10 Tf 28 " + number(kTop + 24) + " Td " +
                              literal(title_ + (pageNumber > 1 ? " (page " + std::to_string(pageNumber) + ")" : "")) +
                              " Tj ET\n";
        int row = 0;
        while (next < fields_.size() && row < 2 * kRowsPerColumn) {
            const Field& f = fields_[next++];
            QPDFObjectHandle name = QPDFObjectHandle::newUnicodeString(f.name);
            QPDFObjectHandle tip = QPDFObjectHandle::newUnicodeString(f.caption);
            if (f.kind == SheetFieldKind::Hidden) {
                QPDFObjectHandle widget = pdf.makeIndirectObject(QPDFObjectHandle::parse(
                    "<< /Type /Annot /Subtype /Widget /FT /Tx /F 2 /Rect [0 0 0 0] /DA (/Helv 8 Tf 0 g) /V () >>"));
                widget.replaceKey("/T", name);
                widget.replaceKey("/TU", tip);
                widget.replaceKey("/P", page);
                annots.appendItem(widget);
                fieldList.appendItem(widget);
                continue;
            }
            double x = kColumnLeft[row / kRowsPerColumn];
            double y = kTop - (row % kRowsPerColumn + 1) * kRowHeight;
            ++row;
            content += "BT /F1 7 Tf " + number(x) + " " + number(y + 2.5) + " Td " + literal(f.caption) + " Tj ET\n";
            double fx = x + kCaptionWidth;
            if (f.kind == SheetFieldKind::Text) {
                content += "0.6 G 0.5 w " + number(fx) + " " + number(y) + " " + number(kFieldWidth) + " " +
                           number(kFieldHeight) + " re S\n";
                QPDFObjectHandle widget = pdf.makeIndirectObject(QPDFObjectHandle::parse(
                    "<< /Type /Annot /Subtype /Widget /FT /Tx /F 4 /DA (/Helv 8 Tf 0 g) /V () "
                    "/MK << /BC [0.6 0.6 0.6] >> /Rect " + rect(fx, y, kFieldWidth, kFieldHeight) + " >>"));
                widget.replaceKey("/T", name);
                widget.replaceKey("/TU", tip);
                widget.replaceKey("/P", page);
                annots.appendItem(widget);
                fieldList.appendItem(widget);
            } else if (f.kind == SheetFieldKind::CheckBox) {
                Appearances ap = boxAppearances(pdf, zapf);
                QPDFObjectHandle widget = pdf.makeIndirectObject(QPDFObjectHandle::parse(
                    "<< /Type /Annot /Subtype /Widget /FT /Btn /F 4 /V /Off /AS /Off /DA (/ZaDb 0 Tf 0 g) "
                    "/MK << /CA (4) >> /Rect " + rect(fx, y + 1, kBoxSize, kBoxSize) + " >>"));
                widget.replaceKey("/AP", QPDFObjectHandle::parse("<< /N << >> >>"));
                widget.getKey("/AP").getKey("/N").replaceKey("/Yes", ap.on);
                widget.getKey("/AP").getKey("/N").replaceKey("/Off", ap.off);
                widget.replaceKey("/T", name);
                widget.replaceKey("/TU", tip);
                widget.replaceKey("/P", page);
                annots.appendItem(widget);
                fieldList.appendItem(widget);
            } else {  // RadioYesNo: Ff = radio (bit 16) + no toggle to off (bit 15)
                QPDFObjectHandle group = pdf.makeIndirectObject(
                    QPDFObjectHandle::parse("<< /FT /Btn /Ff 49152 /V /Off /Kids [] >>"));
                group.replaceKey("/T", name);
                group.replaceKey("/TU", tip);
                const char* states[] = {"/Yes", "/No"};
                for (int k = 0; k < 2; ++k) {
                    double bx = fx + k * 40;
                    Appearances ap = boxAppearances(pdf, zapf);
                    QPDFObjectHandle widget = pdf.makeIndirectObject(QPDFObjectHandle::parse(
                        "<< /Type /Annot /Subtype /Widget /F 4 /AS /Off /DA (/ZaDb 0 Tf 0 g) /MK << /CA (l) >> "
                        "/Rect " + rect(bx, y + 1, kBoxSize, kBoxSize) + " >>"));
                    widget.replaceKey("/AP", QPDFObjectHandle::parse("<< /N << >> >>"));
                    widget.getKey("/AP").getKey("/N").replaceKey(states[k], ap.on);
                    widget.getKey("/AP").getKey("/N").replaceKey("/Off", ap.off);
                    widget.replaceKey("/Parent", group);
                    widget.replaceKey("/P", page);
                    group.getKey("/Kids").appendItem(widget);
                    annots.appendItem(widget);
                    content += "BT /F1 7 Tf " + number(bx + kBoxSize + 2) + " " + number(y + 2.5) + " Td " +
                               literal(k == 0 ? "Yes" : "No") + " Tj ET\n";
                }
                fieldList.appendItem(group);
            }
        }
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
        page.replaceKey("/Resources", QPDFObjectHandle::parse("<< /Font << >> >>"));
        page.getKey("/Resources").getKey("/Font").replaceKey("/F1", helv);
        page.replaceKey("/Annots", annots);
        pages.addPage(page, false);
    } while (next < fields_.size());

    QPDFObjectHandle acroForm = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /DA (/Helv 0 Tf 0 g) /DR << /Font << >> >> >>"));
    acroForm.getKey("/DR").getKey("/Font").replaceKey("/Helv", helv);
    acroForm.getKey("/DR").getKey("/Font").replaceKey("/ZaDb", zapf);
    acroForm.replaceKey("/Fields", fieldList);
    pdf.getRoot().replaceKey("/AcroForm", acroForm);

    replaceFile(path, [&pdf](const fs::path& temporary) {
        try {
            QPDFWriter writer(pdf, temporary.c_str());
            writer.setStaticID(true);
            writer.write();
        } catch (const std::exception& e) {
            throw tally::ComError(75, "FormBuilder", "Path/File access error: " + temporary.string() + " (" + e.what() + ")");
        }
    });
}

}  // namespace pdf
