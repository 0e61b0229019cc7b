#pragma once
// Writes a file under a temporary name beside its target and renames it into place, so a failed write never
// leaves a half-written file where a finished one is expected.

#include <filesystem>
#include <functional>
#include <string>

class QPDF;

namespace pdf {

// Calls `write` with the temporary path, then renames it to `target`, replacing an earlier file. On any failure
// the temporary file is removed and the error is raised again; filesystem errors become ComError 75
// (path/file access error) with the system's text and `source`, the component that is saving (no default, so
// no caller's errors are reported under another component's name).
void replaceFile(const std::filesystem::path& target,
                 const std::function<void(const std::filesystem::path& temporary)>& write, const std::string& source);

struct PdfWriting {
    // A fixed /ID, so the same document always makes the same bytes.
    bool staticId = false;
    // Compress the streams that are not compressed yet. A filled form's new streams are its fields' appearances,
    // a few short lines each, which compression makes larger and slower to write.
    bool compressStreams = true;
};

// Writes `document` as `target` through replaceFile; a failure of the writer is ComError 75 too.
void savePdf(QPDF& document, const std::filesystem::path& target, const std::string& source,
             PdfWriting writing = {});

}  // namespace pdf
