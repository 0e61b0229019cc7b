#pragma once
// Where printouts go and how a recorded document reaches paper. The program prints on the default printer;
// a machine without one offers to save the printout as a PDF file instead; tests send it to a PDF file.
// The target is installed once for the program (tests install their own) like the prompts.

#include <functional>
#include <memory>

#include <QDate>
#include <QString>

#include "PrintRecorder.h"

class QPagedPaintDevice;
class QPrinter;

namespace tally::desk {

// VB's number for a printer that cannot be opened or written.
inline constexpr long kPrinterError = 482;

// One printout on its way: its pages are drawn on device(), then finish() delivers them. A job that is not
// finished delivers nothing it can take back (a file is not written; a printer may have printed pages).
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual QPagedPaintDevice& device() = 0;
    // Called once every page was drawn and the painter ended well; raises ComError when the printout cannot be
    // delivered whole.
    virtual void finish() = 0;
};

class PrinterTarget {
public:
    virtual ~PrinterTarget() = default;
    // The job that prints the document named `documentName` here: null when the user chose not to print.
    virtual std::unique_ptr<PrintJob> open(const QString& documentName) = 0;
};

// A PDF file on US Letter paper, drawn from the paper's corner, written whole (PdfFileJob).
class PdfFileTarget final : public PrinterTarget {
public:
    explicit PdfFileTarget(QString path) : path_(std::move(path)) {}
    std::unique_ptr<PrintJob> open(const QString& documentName) override;

private:
    QString path_;
};

// The default printer, positions measured from its printable area; when there is none, the user is offered a
// PDF file (through the prompts' save dialog) and may decline.
class SystemPrinterTarget final : public PrinterTarget {
public:
    // The name of the printer to use (the default one, else the first installed), empty when none is installed.
    using DefaultPrinter = std::function<QString()>;
    explicit SystemPrinterTarget(DefaultPrinter defaultPrinter = {});
    std::unique_ptr<PrintJob> open(const QString& documentName) override;

private:
    DefaultPrinter defaultPrinter_;
};

PrinterTarget& printerTarget();
// Installs `replacement` (null: the system printer again) and returns the previous target.
std::unique_ptr<PrinterTarget> installPrinterTarget(std::unique_ptr<PrinterTarget> replacement);

// Today's date for the printouts' headings; tests fix it. An empty source is the system clock.
QDate printDate();
std::function<QDate()> setPrintDateSource(std::function<QDate()> source);

// Prints the document on the target as one job, under the hourglass. Returns false when the user chose not to
// print; a printer or file that cannot be opened, fails on a page or cannot be written whole raises ComError
// kPrinterError with the reason. A job that was started is always ended, so what was drawn is not left hanging in
// the spooler.
bool printDocument(const PrintedDocument& document, const QString& documentName,
                   PrinterTarget& target = printerTarget());

}  // namespace tally::desk
