#pragma once
// The year prompt behind the Reports menu and three Tools items: it asks for a tax year, checks it and then opens
// the named list report, the vehicle-use page or questionnaire, stores the default year, or runs a Form 4562
// request (three checks the user may override, then the form writer). The form writer's errors and notices are
// shown here.

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

namespace tally::forms {
class Display4562;
}

namespace tally::desk {

// What the year prompt's answer amounts to.
struct YearAnswer {
    enum class Kind { Empty, NotNumeric, OutOfRange, Valid };
    Kind kind = Kind::Empty;
    double value = 0;       // the leading number of the text, as typed ("2010.5" -> 2010.5)
    std::int16_t year = 0;  // the value rounded to a whole year, halves to even (Valid only)
};
YearAnswer readYearAnswer(const QString& text);

// The question asked when the desktop has no program for PDF files.
QString pdfViewerQuestion();

class ReportLauncher {
public:
    using WriterFactory = std::function<std::unique_ptr<forms::Display4562>()>;
    using ViewerCheck = std::function<bool()>;

    // The program's own: the form writer shows the finished form on the desktop, the viewer check asks xdg-mime.
    ReportLauncher();
    ReportLauncher(WriterFactory writer, ViewerCheck viewerPresent);

    void GetReport(const QString& reportName) const;

private:
    void requestForm4562(const QString& yearText, std::int16_t year) const;

    WriterFactory writer_;
    ViewerCheck viewerPresent_;
};

}  // namespace tally::desk
