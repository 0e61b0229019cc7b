#pragma once
// The program as it is built: every desktop part installed through the generated installer, the main window up
// and the asset window open on the sample company (AssetWindowTest's own start). On top of that, what the
// scenarios across the parts need: the modal windows the parts open during one user action answered in order,
// a report's rows read back, the Form 4562 request writing through a recording opener, and printing to a PDF.

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "AssetTestSupport.h"
#include "DeskParts.h"
#include "Display4562.h"
#include "FormOpener.h"
#include "ListModel.h"
#include "PrinterOutput.h"
#include "QStringPrinter.h"
#include "ReportLauncher.h"
#include "VehicleUseState.h"
#include "frmDocument.h"
#include "frmMaint.h"

namespace tally::desk::testing {

// The modal windows opened while a test acts, answered in the order they are expected: each expected window runs
// its action once it is up (inside its own event loop) and is closed afterwards if the action left it open. A
// window nobody expected is recorded and closed at once, so a wrong flow fails its test instead of hanging it.
class ModalScript final : public QObject {
public:
    ModalScript() { qApp->installEventFilter(this); }
    ~ModalScript() override { qApp->removeEventFilter(this); }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    template <typename W>
    void expect(std::function<void(W&)> action) {
        steps_.push_back({shortName(W::staticMetaObject),
                          [action = std::move(action)](QDialog& window) { action(static_cast<W&>(window)); }});
    }
    bool allShown() const { return steps_.empty(); }

    // The class names (without namespace) of the modal windows shown, in order.
    QStringList shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || !window || !window->isWindow() || !window->isModal()) return false;
        const QString name = shortName(*window->metaObject());
        shown << name;
        std::function<void(QDialog&)> action;
        if (!steps_.empty() && steps_.front().className == name) {
            action = std::move(steps_.front().action);
            steps_.pop_front();
        }
        QTimer::singleShot(0, window, [target = QPointer<QDialog>(window), action = std::move(action)] {
            if (target && action) action(*target);
            if (target && target->isVisible()) target->done(QDialog::Rejected);
        });
        return false;
    }

private:
    static QString shortName(const QMetaObject& type) {
        return QString::fromLatin1(type.className()).section(QStringLiteral("::"), -1);
    }

    struct Step {
        QString className;
        std::function<void(QDialog&)> action;
    };
    std::deque<Step> steps_;
};

// Where the finished Form 4562 would be shown: only recorded.
class RecordingOpener final : public forms::FormOpener {
public:
    void open(const std::filesystem::path& file) override { opened.push_back(file); }
    std::vector<std::filesystem::path> opened;
};

class WholeDeskTest : public AssetWindowTest {
protected:
    void SetUp() override {
        vehicleUseState() = VehicleUseState{};
        AssetWindowTest::SetUp();
        previousTarget_ = installPrinterTarget(std::make_unique<PdfFileTarget>(QString::fromStdString(pdfPath())));
        previousPrintDate_ = setPrintDateSource([] { return QDate(2024, 7, 15); });
    }
    void TearDown() override {
        setPrintDateSource(std::move(previousPrintDate_));
        installPrinterTarget(std::move(previousTarget_));
        AssetWindowTest::TearDown();
        vehicleUseState() = VehicleUseState{};
    }

    // Runs before the main window is built, as the program's start does.
    void seed() override { installDeskParts(deskCommands()); }

    // The program's Form 4562 request, except that the finished form is recorded instead of shown and a PDF
    // viewer counts as installed.
    void recordFormsShown() {
        auto launcher = std::make_shared<const ReportLauncher>(
            [opener = opener_] { return std::make_unique<forms::Display4562>(opener); }, [] { return true; });
        deskCommands().getReport = [launcher](const QString& name) { launcher->GetReport(name); };
    }
    std::size_t formsShown() const { return opener_->opened.size(); }
    std::filesystem::path lastFormShown() const {
        return opener_->opened.empty() ? std::filesystem::path() : opener_->opened.back();
    }

    void menu(const char* name) {
        auto* action = mainWindow()->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_TRUE(action) << name;
        ASSERT_TRUE(action->isEnabled()) << name;
        action->trigger();
    }
    // A Reports or Tools item whose year prompt is answered with `year`.
    void menuForYear(const char* name, const QString& year) {
        prompts_->answerInput(year);
        menu(name);
    }

    // The report windows open on the main window, oldest first.
    static std::vector<frmDocument*> reportWindows() {
        std::vector<frmDocument*> reports;
        for (QMdiSubWindow* w : mainWindow()->mdiArea().subWindowList(QMdiArea::CreationOrder))
            if (auto* doc = qobject_cast<frmDocument*>(w->widget())) reports.push_back(doc);
        return reports;
    }
    static frmMaint* maintenanceWindow() {
        for (QMdiSubWindow* w : mainWindow()->mdiArea().subWindowList())
            if (auto* form = qobject_cast<frmMaint*>(w)) return form;
        return nullptr;
    }
    static QString caption(frmDocument& report) { return report.parentWidget()->windowTitle(); }
    // The report's rows as shown, cells joined by "|".
    static QStringList rows(frmDocument& report) {
        QStringList texts;
        const ListModel& list = report.listModel();
        for (int r = 0; r < list.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list.columnCount(); ++c) cells << list.cell(r, c).text;
            texts << cells.join(QLatin1Char('|'));
        }
        return texts;
    }

    std::string pdfPath() const { return (home_.path() / "printout.pdf").string(); }
    // A PDF file's text in its printed layout.
    static QString pdfText(const std::string& path) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
        if (!process.waitForFinished(30000)) return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // A vehicle of `company` in service in `year` with its depreciation row for that year.
    void addVehicle(std::int32_t company, const std::string& name, int vehicleNumber, int year) const {
        exec("INSERT INTO tblAssets (Company_Id, Asset_name, Cost, In_Service_date, depr_method, life, convention, "
             "bussiness_percent, vehicle_num) Values(" +
             std::to_string(company) + ", '" + name + "', 20000, #01/01/" + std::to_string(year) + "#, 9, 5, 1, 0.8, " +
             std::to_string(vehicleNumber) + ")");
        exec("INSERT INTO tblDepr (client_num, asset_num, [year], depr, accum_depr) Select " + std::to_string(company) +
             ", max(Asset_num), " + std::to_string(year) + ", 3200, 3200 from tblAssets");
    }
    std::int32_t addCompany(const std::string& name) const {
        exec("INSERT INTO tblCompany ([Company Name], Owner, [Tax Id]) Values('" + name + "', 'Pat', '12-3456789')");
        return count("Select max(id) from tblCompany");
    }
    // Makes `company` the current one, as the picker does.
    static void makeCurrent(std::int32_t company, const QString& name) {
        SetCompanyId(company);
        gstrCompanyName = name;
    }

private:
    std::shared_ptr<RecordingOpener> opener_ = std::make_shared<RecordingOpener>();
    std::unique_ptr<PrinterTarget> previousTarget_;
    std::function<QDate()> previousPrintDate_;
};

}  // namespace tally::desk::testing
