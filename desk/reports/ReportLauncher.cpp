#include "ReportLauncher.h"

#include "AppIdentity.h"
#include "Conversions.h"
#include "DesktopState.h"
#include "Display4562.h"
#include "ErrorReport.h"
#include "FormErrors.h"
#include "PartServices.h"
#include "Prompts.h"
#include "Reports.h"
#include "StatusLine.h"
#include "TemplateFolder.h"
#include "Variant.h"
#include "mdiMain.h"

namespace tally::desk {

namespace {

// The names that open a list report window for the year; the rest of the dispatch is in GetReport.
bool isListReport(const QString& name) {
    static const QStringList names{
        QStringLiteral("Property Tax"),           QStringLiteral("Auto Use"),
        QStringLiteral("New Assets WorkSheet"),   QStringLiteral("50 Year Assets"),
        QStringLiteral("Depreciation WorkSheet"), QStringLiteral("179 WorkSheet"),
        QStringLiteral("New Assets"),             QStringLiteral("Disposed Assets"),
    };
    return names.contains(name);
}

const QString kVehicleWindowsMissing = QStringLiteral("The vehicle-use windows are not available.");

// A yes/no question without an icon; true when the user goes on.
bool goOn(const QString& question) { return ui::prompts().msgBox(question, ui::mb::YesNo) == ui::mb::Yes; }

// A check whose part is not in the program is never taken as passed: the user is told and decides.
bool checkPassedOrAccepted(const std::function<bool()>& check, const QString& failedQuestion,
                           const QString& whatIsChecked) {
    if (!check) {
        return goOn(whatIsChecked + QStringLiteral(" could not be checked: that part is not in this program. ") +
                    QStringLiteral("Do you want to continue?"));
    }
    return check() || goOn(failedQuestion);
}

// The year prompt stands 800 twips right of and 1000 below the main window's upper left corner.
std::optional<QPoint> yearPromptPlace() {
    const mdiMain* main = mainWindow();
    if (!main) return std::nullopt;
    const ui::TwipsRect outer = main->mainGeometryTwips();
    return QPoint(ui::toPixels(outer.left + 800), ui::toPixels(outer.top + 1000));
}

}  // namespace

YearAnswer readYearAnswer(const QString& text) {
    YearAnswer answer;
    if (text.isEmpty()) return answer;
    const std::string typed = text.toStdString();
    if (!vb::IsNumeric(typed)) {
        answer.kind = YearAnswer::Kind::NotNumeric;
        return answer;
    }
    answer.value = vb::Val(typed);
    if (answer.value < 1900 || answer.value > 9999) {
        answer.kind = YearAnswer::Kind::OutOfRange;
        return answer;
    }
    answer.kind = YearAnswer::Kind::Valid;
    answer.year = vb::CInt(answer.value);
    return answer;
}

QString pdfViewerQuestion() {
    return QString::fromLatin1(kReaderName) +
           QStringLiteral(" is required to Display Form 4562.  It is a free download from ") +
           QString::fromLatin1(kReaderDownloadAddress) + QStringLiteral(". Do you want to continue?");
}

ReportLauncher::ReportLauncher()
    : ReportLauncher([] { return std::make_unique<forms::Display4562>(); }, desktopHasPdfViewer) {}

ReportLauncher::ReportLauncher(WriterFactory writer, ViewerCheck viewerPresent)
    : writer_(std::move(writer)), viewerPresent_(std::move(viewerPresent)) {}

void ReportLauncher::GetReport(const QString& reportName) const {
    try {
        const QString yearText = ui::prompts().inputBox(QStringLiteral("Enter Year"), reportName,
                                                        QString::number(GetDefaultYear()), yearPromptPlace());
        const YearAnswer answer = readYearAnswer(yearText);
        switch (answer.kind) {
        case YearAnswer::Kind::Empty: return;
        case YearAnswer::Kind::NotNumeric: DisplayMsg(QStringLiteral("Year must be numeric!"), QStringLiteral("255")); return;
        case YearAnswer::Kind::OutOfRange:
            DisplayMsg(QStringLiteral("Year must be between 1900 and 9999!"), QStringLiteral("255"));
            return;
        case YearAnswer::Kind::Valid: break;
        }
        const PartServices& services = partServices();
        if (isListReport(reportName)) {
            DoReports(reportName, answer.year, QString());
        } else if (reportName == QLatin1String("Auto Question Form")) {
            if (services.doAutoQstForm) services.doAutoQstForm(answer.year);
            else ui::prompts().msgBox(kVehicleWindowsMissing);
        } else if (reportName == QLatin1String("Auto Use Form")) {
            if (services.doAutoUseForm) services.doAutoUseForm(answer.year, 0);
            else ui::prompts().msgBox(kVehicleWindowsMissing);
        } else if (reportName == QLatin1String("Default Year")) {
            SetDefaultYear(vb::Variant(answer.value));
        } else if (reportName == QLatin1String("Form 4562")) {
            requestForm4562(yearText, answer.year);
        }
    } catch (...) {
        const ErrorInfo error = currentError();
        if (error.number == forms::ErrFiftyYearAssets) {
            ui::prompts().msgBox(error.description);
        } else if (error.number == forms::ErrTemplateMissing) {
            ui::prompts().msgBox(error.description, ui::mb::OKOnly | ui::mb::Critical, QStringLiteral("4562 Form Error"));
        } else {
            showError(QStringLiteral("Error in GetReport. "), error, ErrorLayout::ErrorNumber);
        }
    }
}

void ReportLauncher::requestForm4562(const QString& yearText, std::int16_t year) const {
    if (!IsAcrobatInstalled(viewerPresent_) && !goOn(pdfViewerQuestion())) return;
    const PartServices& services = partServices();
    const std::int32_t company = glngCompanyId;
    const bool miscOk = checkPassedOrAccepted(
        services.misc4562Ok ? std::function<bool()>([&] { return services.misc4562Ok(year, company); }) : nullptr,
        QStringLiteral("Miscellaneous 4562 data is missing. (Use Menu\\Maintenance\\Miscellaneous 4562 Data, to enter "
                       "the data.) Do you want to continue?"),
        QStringLiteral("The Miscellaneous 4562 data"));
    if (!miscOk) return;
    const bool vehiclesOk = checkPassedOrAccepted(
        services.vehicleUseOk ? std::function<bool()>([&] { return services.vehicleUseOk(year); }) : nullptr,
        QStringLiteral("Vehicle data is incomplete. Do you want to continue?"), QStringLiteral("The vehicle data"));
    if (!vehiclesOk) return;
    // Only the year typed exactly so brings the 2010 templates back; its result is not looked at.
    if (yearText == QLatin1String("2010")) Move2010PdfFiles();
    std::unique_ptr<forms::Display4562> writer = writer_();
    writer->Do4562Form(year, company);
}

}  // namespace tally::desk
