#include "FormBuilder.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <charconv>

#include "SavePdf.h"

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
    // PDF numbers take "." whatever locale the calling program runs in.
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr;
    return std::string(buffer, end);
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

// Lays the sheet out: pages of two columns, a caption and a widget per visible field, the fields listed in
// /AcroForm /Fields in the order they come.
class SheetLayout {
public:
    explicit SheetLayout(QPDF& pdf)
        : pdf_(pdf),
          helv_(pdf.makeIndirectObject(QPDFObjectHandle::parse(
              "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"))),
          zapf_(pdf.makeIndirectObject(
              QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /ZapfDingbats >>"))),
          fieldList_(QPDFObjectHandle::newArray()) {}

    void startPage(const std::string& heading) {
        page_ = pdf_.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 " + number(kPageWidth) + " " + number(kPageHeight) + "] >>"));
        annots_ = QPDFObjectHandle::newArray();
        content_ = "BT /F1 10 Tf 28 " + number(kTop + 24) + " Td " + literal(heading) + " Tj ET\n";
        row_ = 0;
    }
    bool pageFull() const { return row_ >= 2 * kRowsPerColumn; }

    void addField(const std::string& name, const std::string& caption, SheetFieldKind kind) {
        if (kind == SheetFieldKind::Hidden) {
            addHidden(name, caption);
            return;
        }
        const double x = kColumnLeft[row_ / kRowsPerColumn];
        const double y = kTop - (row_ % kRowsPerColumn + 1) * kRowHeight;
        ++row_;
        content_ += "BT /F1 7 Tf " + number(x) + " " + number(y + 2.5) + " Td " + literal(caption) + " Tj ET\n";
        const double fx = x + kCaptionWidth;
        if (kind == SheetFieldKind::Text) {
            addText(name, caption, fx, y);
        } else if (kind == SheetFieldKind::CheckBox) {
            addCheckBox(name, caption, fx, y);
        } else {
            addRadioYesNo(name, caption, fx, y);
        }
    }

    void finishPage() {
        page_.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf_, content_));
        page_.replaceKey("/Resources", QPDFObjectHandle::parse("<< /Font << >> >>"));
        page_.getKey("/Resources").getKey("/Font").replaceKey("/F1", helv_);
        page_.replaceKey("/Annots", annots_);
        QPDFPageDocumentHelper(pdf_).addPage(page_, false);
    }

    void finishForm() {
        QPDFObjectHandle acroForm = pdf_.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /DA (/Helv 0 Tf 0 g) /DR << /Font << >> >> >>"));
        acroForm.getKey("/DR").getKey("/Font").replaceKey("/Helv", helv_);
        acroForm.getKey("/DR").getKey("/Font").replaceKey("/ZaDb", zapf_);
        acroForm.replaceKey("/Fields", fieldList_);
        pdf_.getRoot().replaceKey("/AcroForm", acroForm);
    }

private:
    // A widget of this page, named and captioned when it is a field of its own.
    QPDFObjectHandle widget(const std::string& dictionary) {
        QPDFObjectHandle w = pdf_.makeIndirectObject(QPDFObjectHandle::parse(dictionary));
        w.replaceKey("/P", page_);
        annots_.appendItem(w);
        return w;
    }
    void name(QPDFObjectHandle field, const std::string& fieldName, const std::string& caption) {
        field.replaceKey("/T", QPDFObjectHandle::newUnicodeString(fieldName));
        field.replaceKey("/TU", QPDFObjectHandle::newUnicodeString(caption));
        fieldList_.appendItem(field);
    }
    // The appearances of a box: ticked under `onState`, empty under /Off.
    QPDFObjectHandle boxAppearance(const char* onState) {
        const Appearances ap = boxAppearances(pdf_, zapf_);
        QPDFObjectHandle dictionary = QPDFObjectHandle::parse("<< /N << >> >>");
        dictionary.getKey("/N").replaceKey(onState, ap.on);
        dictionary.getKey("/N").replaceKey("/Off", ap.off);
        return dictionary;
    }

    void addHidden(const std::string& fieldName, const std::string& caption) {
        QPDFObjectHandle w = widget(
            "<< /Type /Annot /Subtype /Widget /FT /Tx /F 2 /Rect [0 0 0 0] /DA (/Helv 8 Tf 0 g) /V () >>");
        name(w, fieldName, caption);
    }

    void addText(const std::string& fieldName, const std::string& caption, double fx, double y) {
        content_ += "0.6 G 0.5 w " + number(fx) + " " + number(y) + " " + number(kFieldWidth) + " " +
                    number(kFieldHeight) + " re S\n";
        QPDFObjectHandle w = widget(
            "<< /Type /Annot /Subtype /Widget /FT /Tx /F 4 /DA (/Helv 8 Tf 0 g) /V () "
            "/MK << /BC [0.6 0.6 0.6] >> /Rect " + rect(fx, y, kFieldWidth, kFieldHeight) + " >>");
        name(w, fieldName, caption);
    }

    void addCheckBox(const std::string& fieldName, const std::string& caption, double fx, double y) {
        QPDFObjectHandle appearance = boxAppearance("/Yes");
        QPDFObjectHandle w = widget(
            "<< /Type /Annot /Subtype /Widget /FT /Btn /F 4 /V /Off /AS /Off /DA (/ZaDb 0 Tf 0 g) "
            "/MK << /CA (4) >> /Rect " + rect(fx, y + 1, kBoxSize, kBoxSize) + " >>");
        w.replaceKey("/AP", appearance);
        name(w, fieldName, caption);
    }

    // A radio group (Ff: radio, bit 16, and no toggle to off, bit 15) of two boxes, states /Yes and /No.
    void addRadioYesNo(const std::string& fieldName, const std::string& caption, double fx, double y) {
        QPDFObjectHandle group =
            pdf_.makeIndirectObject(QPDFObjectHandle::parse("<< /FT /Btn /Ff 49152 /V /Off /Kids [] >>"));
        group.replaceKey("/T", QPDFObjectHandle::newUnicodeString(fieldName));
        group.replaceKey("/TU", QPDFObjectHandle::newUnicodeString(caption));
        const char* states[] = {"/Yes", "/No"};
        for (int k = 0; k < 2; ++k) {
            const double bx = fx + k * 40;
            QPDFObjectHandle appearance = boxAppearance(states[k]);
            QPDFObjectHandle w = widget("<< /Type /Annot /Subtype /Widget /F 4 /AS /Off /DA (/ZaDb 0 Tf 0 g) "
                                        "/MK << /CA (l) >> /Rect " + rect(bx, y + 1, kBoxSize, kBoxSize) + " >>");
            w.replaceKey("/AP", appearance);
            w.replaceKey("/Parent", group);
            group.getKey("/Kids").appendItem(w);
            content_ += "BT /F1 7 Tf " + number(bx + kBoxSize + 2) + " " + number(y + 2.5) + " Td " +
                        literal(k == 0 ? "Yes" : "No") + " Tj ET\n";
        }
        fieldList_.appendItem(group);
    }

    QPDF& pdf_;
    QPDFObjectHandle helv_;
    QPDFObjectHandle zapf_;
    QPDFObjectHandle fieldList_;
    QPDFObjectHandle page_;
    QPDFObjectHandle annots_;
    std::string content_;
    int row_ = 0;
};

}  // namespace

FormBuilder::FormBuilder(std::string title) : title_(std::move(title)) {}

void FormBuilder::addField(std::string name, std::string caption, SheetFieldKind kind) {
    fields_.push_back({std::move(name), std::move(caption), kind});
}

void FormBuilder::save(const fs::path& path) const {
    QPDF pdf;
    pdf.emptyPDF();
    SheetLayout sheet(pdf);
    std::size_t next = 0;
    int pageNumber = 0;
    do {
        ++pageNumber;
        sheet.startPage(title_ + (pageNumber > 1 ? " (page " + std::to_string(pageNumber) + ")" : ""));
        while (next < fields_.size() && !sheet.pageFull()) {
            const Field& f = fields_[next++];
            sheet.addField(f.name, f.caption, f.kind);
        }
        sheet.finishPage();
    } while (next < fields_.size());
    sheet.finishForm();

    savePdf(pdf, path, "FormBuilder", PdfWriting{.staticId = true});
}

}  // namespace pdf
