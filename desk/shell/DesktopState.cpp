#include "DesktopState.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "AppIdentity.h"
#include "ComError.h"
#include "Conversions.h"
#include "ErrorReport.h"
#include "Settings.h"
#include "ShellConversions.h"
#include "Twips.h"
#include "db.h"

namespace tally::desk {

namespace {

vb::Variant readDefault(const char* routine, const std::string& sql) {
    vb::Variant value;
    trapStep(QStringLiteral("Error in %1 ").arg(routine), ErrorLayout::Blank,
             [&] { value = engine::db().ReturnValue(sql); });
    return value;
}

void writeDefault(const char* routine, const std::string& sql) {
    trapStep(QStringLiteral("Error in %1 ").arg(routine), ErrorLayout::Blank,
             [&] { engine::db().ExecuteSql(sql); });
}

bool readSwitch(const char* routine, const std::string& sql) {
    bool on = false;
    const vb::Variant value = readDefault(routine, sql);
    trapStep(QStringLiteral("Error in %1 ").arg(routine), ErrorLayout::Blank, [&] { on = value.toBool(); });
    return on;
}

std::string yesNo(bool value) { return value ? "True" : "False"; }

constexpr const char* kSection = "Settings";

}  // namespace

void RetrieveDbDefaultYear() {
    const vb::Variant value = readDefault("RetrieveDbDefaultYear", "Select DefaultYear from tblDefaults");
    gintDefaultYear = 0;
    trapStep(QStringLiteral("Error in RetrieveDbDefaultYear "), ErrorLayout::Blank,
             [&] { gintDefaultYear = value.toInt(); });
}

void SetDefaultYear(const vb::Variant& year) {
    std::optional<std::int16_t> rounded;
    trapStep(QStringLiteral("Error in SetDefaultYear "), ErrorLayout::Blank, [&] { rounded = year.toInt(); });
    if (!rounded) return;
    writeDefault("SetDefaultYear", "Update tblDefaults set defaultyear = " + std::to_string(*rounded));
    gintDefaultYear = *rounded;
}

bool CheckForStartUpHelp() { return readSwitch("CheckForStartUpHelp", "Select StartUp_Help from tblDefaults"); }

void SetStartUpHelp(bool value) {
    writeDefault("SetStartUpHelp", "Update tblDefaults set StartUp_Help = " + yesNo(value));
}

bool CheckForShowCompany() { return readSwitch("CheckForShowCompany", "Select ShowCompany from tblDefaults"); }

void SetShowCompany(bool value) {
    writeDefault("SetShowCompany", "Update tblDefaults set ShowCompany = " + yesNo(value));
}

std::int16_t GetDefaultYear() { return gintDefaultYear; }
void SetCompanyId(std::int32_t id) { glngCompanyId = id; }
void SetEditAsset(bool editing) { gblnEditAsset = editing; }

QString companyCaption(const QString& companyName) {
    return QString::fromLatin1(kAppTitle) + QStringLiteral(" for - ") + companyName;
}

void GetLastCompany(QWidget& mainWindow) {
    const QString prefix = QStringLiteral("Error in GetLastCompany ");
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
        const QString id = ui::GetSetting(kProductName, kSection, QStringLiteral("CompanyId"), QStringLiteral("1"));
        glngCompanyId = toLong(id);
    });
    trapStep(prefix, ErrorLayout::ErrorNumber, [&] {
        gstrCompanyName =
            ui::GetSetting(kProductName, kSection, QStringLiteral("CompanyName"), QStringLiteral("Sample Company"));
    });
    mainWindow.setWindowTitle(companyCaption(gstrCompanyName));
}

namespace {
void saveSetting(const QString& appName, const char* key, const QString& value) {
    if (!ui::SaveSetting(appName, kSection, key, value))
        throw ComError(vberr::PathFileAccessError, kErrorSource,
                       "Path/File access error: " + ui::settingsFilePath().toStdString());
}
}  // namespace

void SaveLastCompany() {
    const QString prefix = QStringLiteral("Error in SaveLastCompany ");
    if (glngCompanyId > 0)
        trapStep(prefix, ErrorLayout::ErrorNumber,
                 [&] { saveSetting(kProductName, "CompanyId", QString::number(glngCompanyId)); });
    if (!gstrCompanyName.isEmpty())
        trapStep(prefix, ErrorLayout::ErrorNumber, [&] { saveSetting(kProductName, "CompanyName", gstrCompanyName); });
}

namespace {
// The place is kept as the window's own rectangle without the frame the window manager adds: the frame is
// often not known yet when a window is placed, and a place saved with it would grow the window at every start.
struct PositionKey {
    const char* key;
    double defaultTwips;
    void (*apply)(QRect&, int pixels);
    int (QRect::*read)() const;
};

constexpr PositionKey kPositionKeys[] = {
    {"MainLeft", 200, [](QRect& r, int px) { r.moveLeft(px); }, &QRect::x},
    {"MainTop", 1000, [](QRect& r, int px) { r.moveTop(px); }, &QRect::y},
    {"MainWidth", 10500, [](QRect& r, int px) { r.setWidth(px); }, &QRect::width},
    {"MainHeight", 7500, [](QRect& r, int px) { r.setHeight(px); }, &QRect::height},
};

// Window systems place windows within 16-bit pixel coordinates: a larger stored number was not written by the
// program (and would not fit in an int once converted to pixels).
constexpr double kMostTwips = 32767.0 * ui::kTwipsPerPixel;

// The part of a window that must be on a screen for the user to reach it: a grip as wide as a short title and as
// high as the lower part of a title bar, along the top of the frame above the window's own rectangle (the place
// kept is that rectangle; the window manager puts the title bar above it). A sliver at a monitor's edge, or a
// title bar above the screen, cannot be dragged back.
constexpr int kGripWidth = 50;
constexpr int kGripHeight = 10;

bool onSomeScreen(const QRect& place) {
    const QRect titleGrip(place.left(), place.top() - kGripHeight, place.width(), kGripHeight);
    const int gripWidth = std::min(kGripWidth, place.width());
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
        const QRect shown = screen->availableGeometry().intersected(titleGrip);
        return shown.width() >= gripWidth && shown.height() >= kGripHeight;
    });
}
}  // namespace

void GetFormPosition(QWidget& window) {
    for (const auto& k : kPositionKeys) {
        const QString text =
            ui::GetSetting(window.objectName(), kSection, k.key, QString::number(k.defaultTwips));
        // A stored text that is not a number, or a number far beyond any screen, leaves that side as it is.
        const auto twips = vb::parseNumber(text.toStdString());
        if (!twips || !(std::abs(*twips) <= kMostTwips)) continue;
        QRect place = window.geometry();
        k.apply(place, ui::toPixels(static_cast<float>(*twips)));
        window.setGeometry(place);
    }
    // Saved on a monitor that is no longer attached, or with its title bar beyond a screen's edge: the window would be
    // out of reach, so it comes back to the default place on the main screen.
    QRect place = window.geometry();
    if (onSomeScreen(place) || !QGuiApplication::primaryScreen()) return;
    place.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft() +
                      QPoint(ui::toPixels(kPositionKeys[0].defaultTwips), ui::toPixels(kPositionKeys[1].defaultTwips)));
    window.setGeometry(place);
}

void SaveFormPosition(const QWidget& window) {
    if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const QRect place = window.geometry();
    for (const auto& k : kPositionKeys)
        ui::SaveSetting(window.objectName(), kSection, k.key, QString::number(ui::toTwips((place.*(k.read))())));
}

}  // namespace tally::desk
