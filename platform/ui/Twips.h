#pragma once
// Window geometry in twips, the unit stored in the settings and written in the layouts: a fixed 15 twips to the
// logical pixel (96 dpi), whatever the screen; Qt scales high-dpi screens itself.

#include <cmath>

#include <QRect>

class QWidget;

namespace ui {

inline constexpr int kTwipsPerPixel = 15;

// Whole pixels, halves to the even neighbour.
inline int toPixels(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel)); }
inline double toTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

// A window's outer rectangle (frame included) in twips: Left, Top, Width, Height.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

TwipsRect windowTwips(const QWidget& window);
void setWindowLeft(QWidget& window, double twips);
void setWindowTop(QWidget& window, double twips);
// A child control's geometry inside its parent, in twips.
void placeTwips(QWidget& control, double left, double top, double width, double height);

}  // namespace ui
