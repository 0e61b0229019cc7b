#pragma once
// A PDF document saved as a file written whole: the target is always the earlier file or the whole new one.

#include <filesystem>
#include <string>

class QPDF;

namespace pdf {

struct PdfWriting {
    // A fixed /ID, so the same document always makes the same bytes.
    bool staticId = false;
    // Compress the streams that are not compressed yet. A filled form's new streams are its fields' appearances,
    // a few short lines each, which compression makes larger and slower to write.
    bool compressStreams = true;
};

// Writes `document` as `target`, a document the user keeps (FileAccess::Shared). Raises ComError 75 (path/file
// access error) under `source`, the component that is saving, when the file cannot be written (with the
// system's reason) or the document cannot be written out; the earlier file then stays and no other is left.
void savePdf(QPDF& document, const std::filesystem::path& target, const std::string& source,
             PdfWriting writing = {});

}  // namespace pdf
