#include "FdfFill.h"

#include <qpdf/QPDFObjectHandle.hh>

#include <fstream>
#include <iterator>

#include "ComError.h"
#include "PdfForm.h"

namespace pdf {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSource = "FdfFill";

std::string textOf(QPDFObjectHandle value) {
    if (value.isName()) return value.getName().substr(1);
    if (value.isString()) return value.getUTF8Value();
    return {};
}

}  // namespace

FdfContent readFdf(const fs::path& fdfPath) {
    std::ifstream in(fdfPath, std::ios::binary);
    if (!in) throw tally::ComError(tally::vberr::FileNotFound, kSource, "File not found: " + fdfPath.string());
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    std::size_t start = bytes.find("<<");
    std::size_t end = bytes.rfind("endobj");
    if (start == std::string::npos || end == std::string::npos || end < start) {
        throw tally::ComError(kUnreadableForm, kSource, "The FDF file " + fdfPath.string() + " holds no form data.");
    }
    FdfContent content;
    try {
        QPDFObjectHandle root = QPDFObjectHandle::parse(bytes.substr(start, end - start), fdfPath.string());
        QPDFObjectHandle fdf = root.getKey("/FDF");
        content.form = textOf(fdf.getKey("/F"));
        QPDFObjectHandle fields = fdf.getKey("/Fields");
        if (fields.isArray()) {
            for (auto& entry : fields.aitems()) {
                if (!entry.isDictionary()) continue;
                content.fields.push_back({textOf(entry.getKey("/T")), textOf(entry.getKey("/V"))});
            }
        }
    } catch (const std::exception& e) {
        throw tally::ComError(kUnreadableForm, kSource, "The FDF file " + fdfPath.string() + " cannot be read: " + e.what());
    }
    if (content.form.empty()) {
        throw tally::ComError(kUnreadableForm, kSource, "The FDF file " + fdfPath.string() + " names no PDF form.");
    }
    return content;
}

fs::path namedFormPath(const fs::path& fdfPath, const FdfContent& content) {
    fs::path formPath = content.form;
    if (formPath.is_relative()) formPath = fdfPath.parent_path() / formPath;
    return formPath;
}

int fillFormFromFdf(const fs::path& fdfPath, const fs::path& output) {
    FdfContent content = readFdf(fdfPath);
    const fs::path formPath = namedFormPath(fdfPath, content);
    // The filled copy must never take the place of the blank form it was made from.
    std::error_code ec;
    if (fs::equivalent(formPath, output, ec)) {
        throw tally::ComError(tally::vberr::PathFileAccessError, kSource,
                              "Path/File access error: " + output.string() + " is the form the FDF file names.");
    }

    PdfForm form;
    form.LoadFromFile(formPath);
    int filled = 0;
    for (const auto& field : content.fields) {
        int index = form.FindField(field.name);
        if (index == 0) continue;
        form.SetFormFieldValue(index, field.value);
        ++filled;
    }
    form.SaveToFile(output);
    return filled;
}

}  // namespace pdf
