#include "PdfForm.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <qpdf/QUtil.hh>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "ComError.h"
#include "SavePdf.h"
#include "Strings.h"

namespace pdf {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSource = "PdfForm";

bool hasNamedKids(QPDFObjectHandle node) {
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (!kids.isArray()) return false;
    for (auto& kid : kids.aitems()) {
        if (kid.isDictionary() && kid.hasKey("/T")) return true;
    }
    return false;
}

void collectFields(QPDFObjectHandle node, std::vector<QPDFObjectHandle>& out, std::set<QPDFObjGen>& seen) {
    if (!node.isDictionary()) return;
    if (node.isIndirect() && !seen.insert(node.getObjGen()).second) return;  // a loop in a damaged file
    if (!hasNamedKids(node)) {
        out.push_back(node);
        return;
    }
    for (auto& kid : node.getKey("/Kids").aitems()) collectFields(kid, out, seen);
}

// The appearance states (other than Off) that the widgets of a button offer, in the order of the widgets.
std::vector<std::string> buttonStates(QPDFObjectHandle field) {
    std::vector<QPDFObjectHandle> widgets;
    QPDFObjectHandle kids = field.getKey("/Kids");
    if (kids.isArray()) {
        for (auto& kid : kids.aitems()) widgets.push_back(kid);
    } else {
        widgets.push_back(field);
    }
    std::vector<std::string> states;
    for (auto& widget : widgets) {
        QPDFObjectHandle normal = widget.getKey("/AP").getKey("/N");
        if (!normal.isDictionary()) continue;
        for (const auto& key : normal.getKeys()) {
            if (key != "/Off" && std::find(states.begin(), states.end(), key) == states.end()) {
                states.push_back(key);
            }
        }
    }
    return states;
}

bool isStateNamed(std::string_view state, std::string_view name) { return vb::EqualsNoCase(state.substr(1), name); }

// The state of a radio group that stands for `value`: the state of that name, else Off. An official form may
// name the two states of a Yes/No question otherwise ("1" and "2"); a group of exactly two states, neither
// named Yes or No, then takes its first widget's state for Yes and its second's for No, as the questions are
// laid out.
std::string radioState(const std::vector<std::string>& states, const std::string& value) {
    for (const auto& candidate : states) {
        if (isStateNamed(candidate, value)) return candidate;
    }
    const bool namedYesOrNo = std::any_of(states.begin(), states.end(), [](const std::string& state) {
        return isStateNamed(state, "Yes") || isStateNamed(state, "No");
    });
    if (states.size() == 2 && !namedYesOrNo) {
        if (vb::EqualsNoCase(value, "Yes")) return states[0];
        if (vb::EqualsNoCase(value, "No")) return states[1];
    }
    return "/Off";
}

// qpdf draws a text field's value into its appearance through a filter that runs only when the stream is decoded
// or compressed on writing. The form is written without compressing (see SaveToFile), so each drawn appearance is
// taken in as its stream's own data, written as it is.
void keepDrawnText(QPDFAcroFormDocumentHelper& acroForm, const std::vector<QPDFObjectHandle>& fields) {
    for (const QPDFObjectHandle& node : fields) {
        QPDFFormFieldObjectHelper field(node);
        if (!field.isText()) continue;
        for (QPDFAnnotationObjectHelper& widget : acroForm.getAnnotationsForField(field)) {
            QPDFObjectHandle appearance = widget.getAppearanceStream("/N");
            if (!appearance.isStream()) continue;
            const auto drawn = appearance.getStreamData(qpdf_dl_generalized);
            appearance.replaceStreamData(
                std::string(reinterpret_cast<const char*>(drawn->getBuffer()), drawn->getSize()),
                QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
        }
    }
}

}  // namespace

struct PdfForm::Impl {
    // The file read whole: qpdf reads a file on disk in many small pieces, one held in memory at once. It must
    // outlive the document, which reads from it up to the save.
    std::string bytes;
    std::unique_ptr<QPDF> document;
    // The form's one helper: making one analyses the whole form.
    std::unique_ptr<QPDFAcroFormDocumentHelper> acroForm;
    std::vector<QPDFObjectHandle> fields;
    std::map<std::string, int> indexByName;  // made on the first look-up by name
    // Set when a text value was set: its appearance is made on save.
    bool textChanged = false;
    // Set when a text value has a character that a form's single-byte font cannot draw ("Łukasz").
    bool viewerMustDrawText = false;

    QPDFObjectHandle& field(int index) {
        if (index < 1 || index > static_cast<int>(fields.size())) tally::raiseVbError(tally::vberr::SubscriptOutOfRange, kSource);
        return fields[static_cast<std::size_t>(index - 1)];
    }
};

PdfForm::PdfForm() : impl_(std::make_unique<Impl>()) {}
PdfForm::~PdfForm() = default;

void PdfForm::LoadFromFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        throw tally::ComError(tally::vberr::FileNotFound, kSource, "File not found: " + path.string());
    }
    auto loaded = std::make_unique<Impl>();
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) throw std::runtime_error("it cannot be opened");
        loaded->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) throw std::runtime_error("it cannot be read to its end");
        loaded->document = std::make_unique<QPDF>();
        loaded->document->setSuppressWarnings(true);
        loaded->document->processMemoryFile(path.c_str(), loaded->bytes.data(), loaded->bytes.size());
        QPDFObjectHandle roots = loaded->document->getRoot().getKey("/AcroForm").getKey("/Fields");
        std::set<QPDFObjGen> seen;
        if (roots.isArray()) {
            for (auto& root : roots.aitems()) collectFields(root, loaded->fields, seen);
        }
        loaded->acroForm = std::make_unique<QPDFAcroFormDocumentHelper>(*loaded->document);
    } catch (const std::exception& e) {
        throw tally::ComError(kUnreadableForm, kSource, "The PDF form " + path.string() + " cannot be read: " + e.what());
    }
    impl_ = std::move(loaded);
}

int PdfForm::FormFieldCount() const { return static_cast<int>(impl_->fields.size()); }

void PdfForm::SetFormFieldValue(int index, const std::string& value) {
    QPDFFormFieldObjectHelper field(impl_->field(index));
    try {
        if (field.isCheckbox()) {
            field.setV(QPDFObjectHandle::newName(vb::EqualsNoCase(value, "Yes") || vb::EqualsNoCase(value, "On") ? "/Yes" : "/Off"));
        } else if (field.isRadioButton()) {
            field.setV(QPDFObjectHandle::newName(radioState(buttonStates(field.getObjectHandle()), value)));
        } else if (field.getFieldType() == "/Btn") {
            // a push button holds no value
        } else {
            // The appearances are made once, on save, rather than flagged as wanted at every field.
            field.setV(value, false);
            impl_->textChanged = true;
            std::string singleByte;
            if (!QUtil::utf8_to_win_ansi(value, singleByte) || !QUtil::utf8_to_pdf_doc(value, singleByte))
                impl_->viewerMustDrawText = true;
        }
    } catch (const std::exception& e) {
        throw tally::ComError(kUnreadableForm, kSource,
                              "Field " + std::to_string(index) + " cannot take its value: " + e.what());
    }
}

void PdfForm::SaveToFile(const fs::path& path) {
    if (!impl_->document) throw tally::ComError(kUnreadableForm, kSource, "No PDF form is loaded.");
    try {
        QPDFAcroFormDocumentHelper& acroForm = *impl_->acroForm;
        if (impl_->textChanged) acroForm.setNeedAppearances(true);
        const bool drawing = acroForm.getNeedAppearances();
        acroForm.generateAppearancesIfNeeded();
        if (drawing) keepDrawnText(acroForm, impl_->fields);
        // The drawn text shows "?" for such a character; the viewer then draws the field from its value instead.
        if (impl_->viewerMustDrawText) acroForm.setNeedAppearances(true);
    } catch (const std::exception& e) {
        throw tally::ComError(kUnreadableForm, kSource, std::string("The form's appearances cannot be made: ") + e.what());
    }
    // The form's own streams keep their compression; the appearances are short enough to be best left as they are.
    savePdf(*impl_->document, path, kSource, PdfWriting{.compressStreams = false});
}

std::string PdfForm::FieldName(int index) const {
    return QPDFFormFieldObjectHelper(impl_->field(index)).getFullyQualifiedName();
}

FieldKind PdfForm::FieldKindOf(int index) const {
    QPDFFormFieldObjectHelper field(impl_->field(index));
    if (field.isText()) return FieldKind::Text;
    if (field.isCheckbox()) return FieldKind::CheckBox;
    if (field.isRadioButton()) return FieldKind::Radio;
    return FieldKind::Other;
}

std::string PdfForm::FieldValue(int index) const {
    QPDFFormFieldObjectHelper field(impl_->field(index));
    if (field.getFieldType() == "/Btn") {
        std::string state = field.getInheritableFieldValueAsName("/V");
        return state.empty() ? "Off" : state.substr(1);
    }
    return field.getValueAsString();
}

std::string PdfForm::FieldCaption(int index) const {
    QPDFObjectHandle tip = impl_->field(index).getKey("/TU");
    return tip.isString() ? tip.getUTF8Value() : std::string();
}

bool PdfForm::FieldHidden(int index) const {
    QPDFObjectHandle flags = impl_->field(index).getKey("/F");
    return flags.isInteger() && (flags.getIntValue() & 2) != 0;
}

int PdfForm::FindField(const std::string& name) const {
    if (impl_->indexByName.empty()) {
        // The first field of a name wins, as a search from the first field would find it.
        for (int i = FormFieldCount(); i >= 1; --i) impl_->indexByName[FieldName(i)] = i;
    }
    const auto found = impl_->indexByName.find(name);
    return found == impl_->indexByName.end() ? 0 : found->second;
}

}  // namespace pdf
