#include "ReplaceFile.h"

#include <qpdf/QPDFWriter.hh>
#include <unistd.h>

#include "ComError.h"

namespace pdf {

namespace fs = std::filesystem;

void replaceFile(const fs::path& target, const std::function<void(const fs::path&)>& write, const std::string& source) {
    fs::path temporary = target;
    temporary += ".part" + std::to_string(::getpid());
    try {
        write(temporary);
        fs::rename(temporary, target);
    } catch (const fs::filesystem_error& e) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw tally::ComError(tally::vberr::PathFileAccessError, source,
                              "Path/File access error: " + target.string() + " (" + e.code().message() + ")");
    } catch (...) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw;
    }
}

void savePdf(QPDF& document, const fs::path& target, const std::string& source, PdfWriting writing) {
    replaceFile(
        target,
        [&](const fs::path& temporary) {
            try {
                QPDFWriter writer(document, temporary.c_str());
                writer.setStaticID(writing.staticId);
                writer.setCompressStreams(writing.compressStreams);
                writer.write();
            } catch (const std::exception& e) {
                throw tally::ComError(tally::vberr::PathFileAccessError, source,
                                      "Path/File access error: " + temporary.string() + " (" + e.what() + ")");
            }
        },
        source);
}

}  // namespace pdf
