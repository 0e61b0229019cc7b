#include "SavePdf.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDFWriter.hh>

#include "AtomicFile.h"
#include "ComError.h"

namespace pdf {

namespace fs = std::filesystem;

namespace {

// The writer's bytes into the file, gathered into large writes. The file is not handed to qpdf by its name:
// qpdf ignores a failure of its last flush and close, so a full disk would cut the file short unseen. qpdf also
// finishes its pipelines in destructors, where nothing may be thrown: a failed write is kept and raised by
// raiseFailure() once the writer is done.
class AtomicFilePipeline final : public Pipeline {
public:
    explicit AtomicFilePipeline(tally::files::AtomicFile& file) : Pipeline("atomic file", nullptr), out_(file) {}

    void write(unsigned char const* data, size_t length) override {
        pending_.append(reinterpret_cast<const char*>(data), length);
        if (pending_.size() >= kChunk) flush();
    }
    void finish() override { flush(); }

    void raiseFailure() const { out_.raiseFailure(); }

private:
    static constexpr std::size_t kChunk = 1 << 16;

    void flush() {
        out_.write(pending_);
        pending_.clear();
    }

    tally::files::FailureKeepingWriter out_;
    std::string pending_;
};

}  // namespace

void savePdf(QPDF& document, const fs::path& target, const std::string& source, PdfWriting writing) {
    tally::files::AtomicFile file(target, tally::files::FileAccess::Shared, source);
    AtomicFilePipeline output(file);
    try {
        QPDFWriter writer(document);
        writer.setOutputPipeline(&output);
        writer.setStaticID(writing.staticId);
        writer.setCompressStreams(writing.compressStreams);
        writer.write();
    } catch (const std::exception& e) {
        throw tally::ComError(tally::vberr::PathFileAccessError, source,
                              "Path/File access error: " + target.string() + " (" + e.what() + ")");
    }
    output.finish();
    output.raiseFailure();
    file.commit();
}

}  // namespace pdf
