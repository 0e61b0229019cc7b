#pragma once
// A printout into a PDF file written whole: the pages go into a temporary file beside the target, which takes
// the target's place only when every page was written. A printout that fails (a full disk) leaves the earlier
// file and no other; a link at the target is replaced, never written through.

#include <filesystem>

#include <QIODevice>
#include <QPdfWriter>
#include <QString>

#include "AtomicFile.h"
#include "PrinterOutput.h"

namespace tally::desk {

// The bytes of a Qt writer into an AtomicFile. A failed write is kept rather than thrown through the writer's
// Qt code, and raised by raiseFailure() once the writer is done.
class AtomicFileDevice final : public QIODevice {
public:
    explicit AtomicFileDevice(files::AtomicFile& file);
    bool isSequential() const override { return true; }
    void raiseFailure() const { out_.raiseFailure(); }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    files::FailureKeepingWriter out_;
};

// Letter paper, drawn from the paper's corner. The file is one the user keeps (FileAccess::Shared).
class PdfFileJob final : public PrintJob {
public:
    // Raises ComError 75 when no file can be made beside `target` (its folder is missing, say).
    PdfFileJob(const std::filesystem::path& target, const QString& documentName);
    QPagedPaintDevice& device() override { return writer_; }
    // Raises ComError 75 when a page could not be written or the file cannot take the target's place.
    void finish() override;

private:
    files::AtomicFile file_;
    AtomicFileDevice output_;
    QPdfWriter writer_;
};

}  // namespace tally::desk
