#include "PdfFileJob.h"

#include <QMarginsF>
#include <QPageSize>

#include "AppIdentity.h"

namespace tally::desk {

AtomicFileDevice::AtomicFileDevice(files::AtomicFile& file) : out_(file) { open(QIODevice::WriteOnly); }

qint64 AtomicFileDevice::readData(char*, qint64) { return -1; }

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
    return out_.write(std::string_view(data, static_cast<std::size_t>(size))) ? size : -1;
}

PdfFileJob::PdfFileJob(const std::filesystem::path& target, const QString& documentName)
    : file_(target, files::FileAccess::Shared, kErrorSource), output_(file_), writer_(&output_) {
    writer_.setTitle(documentName);
    writer_.setPageSize(QPageSize(QPageSize::Letter));
    writer_.setPageMargins(QMarginsF(0, 0, 0, 0));
}

void PdfFileJob::finish() {
    output_.raiseFailure();
    file_.commit();
}

}  // namespace tally::desk
