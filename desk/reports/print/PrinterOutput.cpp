#include "PrinterOutput.h"

#include <filesystem>
#include <system_error>

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "ComError.h"
#include "PdfFileJob.h"
#include "Prompts.h"
#include "UserFormsFolder.h"

namespace tally::desk {
namespace {

constexpr double kTwipsPerInch = 1440.0;

std::unique_ptr<PrinterTarget>& installedTarget() {
    static std::unique_ptr<PrinterTarget> target = std::make_unique<SystemPrinterTarget>();
    return target;
}

std::function<QDate()>& dateSource() {
    static std::function<QDate()> source;
    return source;
}

// The user's documents folder for the PDF file dialog, made when it is missing: a dialog pointed at a folder
// that does not exist opens in the folder the program runs from, the installation folder. Without a home folder
// there is none to propose.
QString documentsFolderForDialog() {
    try {
        const std::filesystem::path folder = forms::UserDocumentsFolder();
        std::error_code ignored;  // a folder that cannot be made leaves the dialog to open where it can
        std::filesystem::create_directories(folder, ignored);
        return QString::fromStdString(folder.string());
    } catch (const ComError&) {
        return {};
    }
}

[[noreturn]] void raisePrinterError(const QString& detail) {
    throw ComError(kPrinterError, "Tallyvane", ("Printer error: " + detail).toStdString());
}

// A file the printout goes to fails as the printer does, with the file's own reason.
template <typename Work>
auto asPrinterError(Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const ComError& e) {
        if (e.number() == kPrinterError) throw;
        raisePrinterError(QString::fromStdString(e.description()));
    }
}

// A file name that every file system takes, from the document's name.
QString pdfFileName(const QString& documentName) {
    QString name = documentName.trimmed();
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name)
        if (forbidden.contains(c) || c.unicode() < 32) c = QLatin1Char('-');
    return (name.isEmpty() ? QStringLiteral("Printout") : name) + QStringLiteral(".pdf");
}

QFont courierNew(int pointSize, bool bold) {
    QFont font(QStringList{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

class PageDrawer {
public:
    explicit PageDrawer(QPagedPaintDevice& device) : device_(device) {}

    void draw(const PrintedDocument& document) {
        if (!painter_.begin(&device_)) raisePrinterError(QStringLiteral("the printer could not be opened"));
        const double toDevice = device_.logicalDpiY() / kTwipsPerInch;
        int page = 1;
        for (const PrintedText& text : document.texts) {
            for (; page < text.page; ++page)
                if (!device_.newPage()) raisePrinterError(QStringLiteral("a new page could not be started"));
            const QFont font = courierNew(text.size, text.bold);
            painter_.setFont(font);
            // The recorded position is the top of the line; text is drawn on its baseline.
            const double ascent = QFontMetricsF(font, &device_).ascent();
            painter_.drawText(QPointF(text.x * toDevice, text.y * toDevice + ascent), text.text);
        }
        for (; page < document.pageCount; ++page)
            if (!device_.newPage()) raisePrinterError(QStringLiteral("a new page could not be started"));
        if (!painter_.end()) raisePrinterError(QStringLiteral("the document could not be finished"));
    }

private:
    QPagedPaintDevice& device_;
    QPainter painter_;  // ends a started job on every way out
};

// A printer of the system's; the spooler takes the pages as they are drawn.
class PrinterJob final : public PrintJob {
public:
    PrinterJob() : printer_(QPrinter::HighResolution) {}
    QPrinter& printer() { return printer_; }
    QPagedPaintDevice& device() override { return printer_; }
    void finish() override {}

private:
    QPrinter printer_;
};

}  // namespace

std::unique_ptr<PrintJob> PdfFileTarget::open(const QString& documentName) {
    return asPrinterError([&]() -> std::unique_ptr<PrintJob> {
        return std::make_unique<PdfFileJob>(std::filesystem::path(path_.toStdString()), documentName);
    });
}

SystemPrinterTarget::SystemPrinterTarget(DefaultPrinter defaultPrinter) : defaultPrinter_(std::move(defaultPrinter)) {
    if (!defaultPrinter_)
        defaultPrinter_ = [] {
            // A system whose printers have none marked as the default still prints on its first one.
            const QString name = QPrinterInfo::defaultPrinterName();
            const QStringList installed = QPrinterInfo::availablePrinterNames();
            return name.isEmpty() && !installed.isEmpty() ? installed.front() : name;
        };
}

std::unique_ptr<PrintJob> SystemPrinterTarget::open(const QString& documentName) {
    const QString printerName = defaultPrinter_();
    if (printerName.isEmpty()) {
        ui::FileDialogRequest request;
        request.title = QStringLiteral("No printer is installed - save the printout as a PDF file");
        request.filter = QStringLiteral("PDF Files (*.pdf)");
        request.initialDir = documentsFolderForDialog();
        request.fileName = pdfFileName(documentName);
        request.defaultSuffix = QStringLiteral("pdf");
        request.overwritePrompt = true;
        const std::optional<QString> path = ui::prompts().saveFile(request);
        if (!path || path->isEmpty()) return nullptr;
        return PdfFileTarget(*path).open(documentName);
    }
    auto job = std::make_unique<PrinterJob>();
    QPrinter& printer = job->printer();
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(printerName);
    printer.setDocName(documentName);
    // Positions count from the corner of the area the printer can reach, as printers number their own paper.
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
    return job;
}

PrinterTarget& printerTarget() { return *installedTarget(); }

std::unique_ptr<PrinterTarget> installPrinterTarget(std::unique_ptr<PrinterTarget> replacement) {
    if (!replacement) replacement = std::make_unique<SystemPrinterTarget>();
    installedTarget().swap(replacement);
    return replacement;
}

QDate printDate() { return dateSource() ? dateSource()() : QDate::currentDate(); }

std::function<QDate()> setPrintDateSource(std::function<QDate()> source) {
    std::swap(dateSource(), source);
    return source;
}

bool printDocument(const PrintedDocument& document, const QString& documentName, PrinterTarget& target) {
    const std::unique_ptr<PrintJob> job = target.open(documentName);
    if (!job) return false;
    // Not while the target may still ask the user where to save: a dialog under the hourglass looks busy.
    const ui::Hourglass wait;
    job->device().setPageOrientation(document.orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                        : QPageLayout::Portrait);
    PageDrawer(job->device()).draw(document);
    asPrinterError([&] { job->finish(); });
    return true;
}

}  // namespace tally::desk
