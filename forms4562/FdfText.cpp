#include "FdfText.h"

#include <qpdf/QUtil.hh>

#include <cstdio>

#include "FormErrors.h"
#include "FormTables.h"

namespace tally::forms {

namespace {

constexpr std::string_view kEntryStart = "<</T(";
constexpr std::string_view kSuffix = "\\(0\\)";  // the "(0)" that the 2006-2008 forms append to every name

std::string_view thirdLine(std::string_view text) {
    for (int skip = 0; skip < 2; ++skip) {
        std::size_t end = text.find('\n');
        if (end == std::string_view::npos) return {};
        text.remove_prefix(end + 1);
    }
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// The position just past the ")" that closes the literal string whose body starts at `from`, or npos.
std::size_t endOfLiteral(std::string_view line, std::size_t from) {
    int depth = 1;
    for (std::size_t i = from; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == '(') {
            ++depth;
        } else if (line[i] == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::string lookupNameOf(std::string_view rawName, int year) {
    if (!fdfUsesSuffixedNames(year)) return std::string(rawName);
    if (rawName.ends_with(kSuffix)) rawName.remove_suffix(kSuffix.size());
    std::string name(rawName);
    for (char& c : name) {
        if (c == '_') c = '-';
    }
    return name;
}

}  // namespace

FdfTemplate parseFdfTemplate(std::string_view fileText, int year) {
    std::string_view line = thirdLine(fileText);
    const int wanted = fdfFieldCount(year);
    FdfTemplate result;
    std::size_t p = 0;
    for (int k = 0; k < wanted; ++k) {
        std::size_t start = line.find(kEntryStart, p);
        if (start == std::string_view::npos) {
            throw templateDamaged(year, "its field list holds " + std::to_string(k) + " of the " +
                                            std::to_string(wanted) + " fields the form takes");
        }
        std::size_t nameStart = start + kEntryStart.size();
        std::size_t nameEnd = endOfLiteral(line, nameStart);
        std::string_view opener = nameEnd == std::string_view::npos ? std::string_view() : line.substr(nameEnd, 3);
        if (opener != "/V(" && opener != "/V/") {
            throw templateDamaged(year, "field entry " + std::to_string(k + 1) + " cannot be read");
        }
        std::size_t valueStart = nameEnd + opener.size();
        std::size_t entryEnd = opener == "/V(" ? endOfLiteral(line, valueStart) : valueStart;
        entryEnd = entryEnd == std::string_view::npos ? entryEnd : line.find(">>", entryEnd);
        if (entryEnd == std::string_view::npos) {
            throw templateDamaged(year, "field entry " + std::to_string(k + 1) + " is not closed");
        }
        std::string_view rawName = line.substr(nameStart, nameEnd - 1 - nameStart);
        if (k == 0) result.opening = std::string(line.substr(0, valueStart));
        result.entries.push_back({std::string(rawName), lookupNameOf(rawName, year), opener == "/V("});
        p = entryEnd + 2;
    }
    return result;
}

std::string fdfTextValue(std::string_view utf8) {
    // A PDF text string is PDFDocEncoding or UTF-16BE behind its byte-order mark; the single-byte form is kept
    // whenever every character has a code there, so plain text stays readable in the file.
    std::string encoded;
    if (!QUtil::utf8_to_pdf_doc(std::string(utf8), encoded)) encoded = QUtil::utf8_to_utf16(std::string(utf8));
    std::string out;
    for (char c : encoded) {
        if (c == '\\' || c == '(' || c == ')') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string fdfStateValue(std::string_view utf8) {
    static constexpr std::string_view kDelimiters = "()<>[]{}/%#";
    std::string out;
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u > 0x20 && u < 0x7F && kDelimiters.find(c) == std::string_view::npos) {
            out += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "#%02X", u);
            out += hex;
        }
    }
    return out;
}

std::string fdfEntry(std::string_view rawName, bool textStyle, std::string_view encodedValue) {
    std::string entry = "<</T(" + std::string(rawName) + (textStyle ? ")/V(" : ")/V/");
    entry += encodedValue;
    entry += textStyle ? ")>>" : ">>";
    return entry;
}

std::string fdfFileBytes(std::string_view dictionary) {
    std::string bytes = "%FDF-1.2\r\n%\xE2\xE3\xCF\xD3\r\n";
    bytes += dictionary;
    bytes += "\r\nendobj\r\ntrailer\r\n<</Root 1 0 R>>\r\n%%EOF\r\n";
    return bytes;
}

std::string fdfRawName(std::string_view lookupName, int year) {
    if (!fdfUsesSuffixedNames(year)) return std::string(lookupName);
    std::string name(lookupName);
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name + std::string(kSuffix);
}

std::string fdfFieldName(std::string_view lookupName, int year) {
    std::string raw = fdfRawName(lookupName, year);
    std::string decoded;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
        decoded += raw[i];
    }
    return decoded;
}

}  // namespace tally::forms
