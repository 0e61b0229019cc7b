#pragma once
// What the vehicle-use tests share: a company with vehicles depreciated in the test year, the status line, the
// stored rows, and acting on the vehicle windows while they are shown modal.

#include <functional>
#include <string>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "Colour.h"
#include "DeskTestSupport.h"
#include "MileageBox.h"
#include "QStringPrinter.h"
#include "StatusLine.h"
#include "VehicleUseState.h"
#include "YesNoPair.h"
#include "db.h"
#include "modDatabase.h"

namespace tally::desk::testing {

inline constexpr std::int16_t kYear = 2009;
inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kBlack = 0;

class VehicleTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        vehicleUseState() = VehicleUseState{};
        status = new QLabel;  // deleted with the other windows when the test ends
        setStatusLabel(status);
        exec("INSERT INTO tblCompany ([Company Name], Owner, [Tax Id]) Values('Acme Tools', 'Pat', '12-3456789')");
        glngCompanyId = engine::modDatabase::ReturnDbData("Select max(id) from tblCompany");
        gstrCompanyName = "Acme Tools";
    }
    void TearDown() override {
        setStatusLabel(nullptr);
        DeskTest::TearDown();
    }

    // A vehicle of the company in service in 2009 with a depreciation row for 2009.
    void addVehicle(const std::string& name, double businessShare, int vehicleNumber) const {
        exec("INSERT INTO tblAssets (Company_Id, Asset_name, Cost, In_Service_date, depr_method, life, convention, "
             "bussiness_percent, vehicle_num) Values(" +
             std::to_string(glngCompanyId) + ", '" + name + "', 20000, #01/01/2009#, 9, 5, 1, " +
             std::to_string(businessShare) + ", " + std::to_string(vehicleNumber) + ")");
        exec("INSERT INTO tblDepr (client_num, asset_num, [year], depr, accum_depr) Select " +
             std::to_string(glngCompanyId) + ", max(Asset_num), 2009, 1000, 1000 from tblAssets");
    }
    void addUse(int vehicle, const std::string& miles, const std::string& answers) const {
        exec("INSERT INTO tblAutoUse Values(" + std::to_string(glngCompanyId) + ", 2009, " + std::to_string(vehicle) +
             ", " + miles + ", " + answers + ")");
    }

    // The stored use row of a vehicle as "business|commuting|personal|offDuty|owner|another", or "" without one.
    static std::string storedUse(int vehicle) {
        const ado::RecordsetPtr rs = engine::modDatabase::SharedConnection().Execute(
            "Select [Business Miles], [Commuting Miles], [Personal Miles], [Available Personal Use off Hours], "
            "[Driver 5 percent Owner], [Another Car Available] from tblAutoUse where Company_Id = " +
            std::to_string(glngCompanyId) + " and [Year] = 2009 and [Vehicle #] = " + std::to_string(vehicle));
        if (rs->EOF_()) return {};
        std::string row;
        for (long i = 0; i < 6; ++i) row += (i ? "|" : "") + (*rs)[i].toString();
        return row;
    }
    static std::string storedQuestionnaire() {
        const ado::RecordsetPtr rs = engine::modDatabase::SharedConnection().Execute(
            "Select [No Personal Use], [Commuting Allowed], [All Personal Use], [More 5 Cars & keep Track], "
            "[Meet Requirements] from tblAutoQuestions where Company_Id = " +
            std::to_string(glngCompanyId) + " and [Year] = 2009");
        std::string rows;
        for (; !rs->EOF_(); rs->MoveNext()) {
            if (!rows.empty()) rows += "/";
            for (long i = 0; i < 5; ++i) rows += (*rs)[i].toBool() ? "Y" : "N";
        }
        return rows;
    }

    QString statusText() const { return status->text(); }
    std::int32_t statusColour() const { return ui::textColour(*status); }

    // Runs `action` on the next window of type W shown modal; the window is closed afterwards if the action left
    // it open, so a failed expectation never leaves a test waiting.
    template <typename W>
    static void whenModal(std::function<void(W&)> action) {
        auto* timer = new QTimer(qApp);
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [timer, tries, action = std::move(action)] {
            if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                action(*window);
                if (window->isVisible()) window->done(0);
            } else if (++*tries > 400) {
                timer->stop();
                timer->deleteLater();
                ADD_FAILURE() << "no " << W::staticMetaObject.className() << " appeared";
            }
        });
        timer->start(5);
    }

    static void type(MileageBox& box, const QString& keys) { QTest::keyClicks(&box, keys); }
    static void focusIn(QWidget& box) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &in);
    }
    static void focusOut(QWidget& box) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&box, &out);
    }
    static void click(YesNoPair& pair, bool yes) { pair.option(yes ? 0 : 1).click(); }

    QLabel* status = nullptr;
};

}  // namespace tally::desk::testing
