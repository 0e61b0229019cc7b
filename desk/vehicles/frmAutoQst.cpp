#include "frmAutoQst.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ClosePrompt.h"
#include "ErrorReport.h"
#include "StatusLine.h"
#include "Twips.h"
#include "VehicleWindowParts.h"
#include "YesNoPair.h"
#include "mdiMain.h"
#include "modAutoUse.h"

namespace tally::desk {

namespace {
QFrame* line(QWidget* parent, const char* name, double top) {
    auto* l = new QFrame(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    ui::placeTwips(*l, 120, top - 15, 7080, 30);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, double left) {
    return commandButton(parent, QLatin1String(name), caption, left, 3640, 855, 315);
}

// The window manager cuts a title longer than its window ("Questions for Employers Wh... s"): the window is
// widened to hold its title and the title bar's buttons, its contents centred in the added width.
void widenToTitle(QDialog& window) {
    // Title bars draw a larger, bold face than the window's own: a quarter more than the window's font needs.
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) * 5 / 4 + 100;
    const int extra = needed - window.width();
    if (extra <= 0) return;
    for (QWidget* child : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->move(child->x() + extra / 2, child->y());
    window.setFixedSize(needed, window.height());
}
}  // namespace

frmAutoQst::frmAutoQst(QWidget* parent)
    : VehicleDialog(parent, QStringLiteral("frmAutoQst"),
                    QStringLiteral("Questions for Employers Who Provide Vehicles for Use by their Employees"), 7335,
                    4065) {

    lblTitle_ = plainLabel(this, QStringLiteral("lblTitle"), {}, 120, 60, 6135, 285);
    QFont bold = lblTitle_->font();
    bold.setBold(true);
    lblTitle_->setFont(bold);
    plainLabel(this, QStringLiteral("Label2"), QStringLiteral("Yes / No"), 6390, 70, 855, 255);
    line(this, "Line2", 360);

    const struct {
        const char* label;
        double top, width, height;
        const char* caption;
        const char* frame;
        double frameTop;
        const char* array;
    } questions[] = {
        {"lblAllPersonal", 480, 6015, 495,
         "Do you maintain a written policy statement that prohibits all personal use of vehicles, including "
         "commuting, by your employees?",
         "Frame1", 420, "optAllPersonal"},
        {"lblCommute", 1000, 6015, 385,
         "Do you maintain a written policy statement that prohibits personal use of vehicles, except commuting, by "
         "your employees?",
         "Frame2", 990, "optCommuting"},
        {"lblPersonal", 2000, 6015, 255, "Do you treat all use of vehicles by employees as personal use?", "Frame3",
         1880, "optPersonal"},
        {"lblFive", 2400, 6135, 375,
         "Do you provide more than five vehicles to you employees, obtain information from your employees about the "
         "use of the vehicles, and retain the information received?",
         "Frame4", 2400, "optFive"},
        {"lblRequirements", 3000, 6015, 375,
         "Do you meet the requirements concerning qualified automobile demonstration use? (See page 9 of the "
         "instructions).",
         "Frame5", 2930, "optRequirements"},
    };
    for (std::size_t i = 0; i < std::size(questions); ++i) {
        const auto& q = questions[i];
        questions_[i] = plainLabel(this, QLatin1String(q.label), QString::fromLatin1(q.caption), 120, q.top, q.width, q.height);
        answers_[i] = new YesNoPair(QLatin1String(q.frame), QLatin1String(q.array), this);
        ui::placeTwips(*answers_[i], 6360, q.frameTop, 735, 395);
        connect(answers_[i], &YesNoPair::clicked, this, [this] { changed_ = true; });
    }
    plainLabel(this, QStringLiteral("Label4"),
          QStringLiteral("See page 8 of the instructions for vehicles used by corporate officers, or 1% or more owners."),
          120, 1410, 6015, 365);
    line(this, "Line1", 3480);

    QPushButton* cmdDelete = button(this, "cmdDelete", QStringLiteral("&Delete"), 3960);
    QPushButton* cmdSave = button(this, "cmdSave", QStringLiteral("Save"), 5040);
    QPushButton* cmdCancel = button(this, "cmdCancel", QStringLiteral("Cancel"), 6120);
    cmdSave->setDefault(true);
    connect(cmdSave, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdSave_Click"), [this] { cmdSave_Click(); }));
    connect(cmdDelete, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdDelete_Click"), [this] { cmdDelete_Click(); }));
    connect(cmdCancel, &QPushButton::clicked, this,
            guarded(QStringLiteral("cmdCancel_Click"), [this] { cmdCancel_Click(); }));
    widenToTitle(*this);
}

AutoQstAnswers frmAutoQst::yesAnswers() const {
    AutoQstAnswers yes{};
    for (std::size_t i = 0; i < yes.size(); ++i) yes[i] = answers_[i]->isYes();
    return yes;
}

void frmAutoQst::Form_Load() {
    if (mdiMain* main = mainWindow()) {
        const ui::TwipsRect place = main->mainGeometryTwips();
        ui::setWindowLeft(*this, place.left + 1500);
        ui::setWindowTop(*this, place.top + 1000);
    }
    modAutoUse::GetAutoQst(*this);
    changed_ = false;  // last: loading sets answers, which marks the window changed
}

void frmAutoQst::cmdSave_Click() {
    if (modAutoUse::AddUpdateAutoQst(*this)) changed_ = false;
}

void frmAutoQst::cmdDelete_Click() { modAutoUse::DeleteAutoQst(*this); }

void frmAutoQst::cmdCancel_Click() {
    if (allowClose(changed_, [this] { return modAutoUse::AddUpdateAutoQst(*this); })) unload();
}

}  // namespace tally::desk
