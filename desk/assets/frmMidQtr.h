#pragma once
// The mid-quarter convention test of a tax year: the company's MACRS and listed basis placed in service that year,
// the part placed in service in its last quarter, the share and the verdict (required above 40 %).

#include <cstdint>

#include <QDialog>
#include <QLabel>

namespace tally::desk {

class frmMidQtr : public QDialog {
    Q_OBJECT
public:
    explicit frmMidQtr(QWidget* parent = nullptr);

    QLabel* lblTotalCost;
    QLabel* lbl4thQtrCost;
    QLabel* lbl4thQtrPercent;
    QLabel* lblWarning;

    double totalCost() const { return totalCost_; }
    double fourthQuarterCost() const { return fourthQuarterCost_; }

private:
    void Form_Load();

    double totalCost_ = 0;
    double fourthQuarterCost_ = 0;
};

namespace modMidConvention {

// The year of the test on show.
inline std::int16_t gintMidQtrYear = 0;

// Shows the test for the year modally.
void MidQtrConventionCheck(std::int16_t year);
std::int32_t GetTotalAssetCostForYear();
std::int32_t Get4thQtrAssetCostForYear();

}  // namespace modMidConvention

}  // namespace tally::desk
