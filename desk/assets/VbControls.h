#pragma once
// Small control helpers of the asset window: a combo box that reports its drop-down and keeps a list position of
// -1 once the user types into it, a label that keeps an unformatted figure beside its shown text, and the
// background colours of locked and free fields.

#include <cstdint>
#include <functional>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace tally::desk::assets {

inline constexpr std::int32_t kBlack = 0;
inline constexpr std::int32_t kRed = 255;
inline constexpr std::int32_t kGreen = 32768;
inline constexpr std::int32_t kBlue = 16711680;
inline constexpr std::int32_t kGrey = 0xE0E0E0;
inline constexpr std::int32_t kWhite = 0xFFFFFF;

// The system beep of a rejected key; tests count it.
std::function<void()>& beeper();

// Background colour (palette and the property "vbBack", which tests read).
void setBackColour(QWidget& widget, std::int32_t number);
std::int32_t backColour(const QWidget& widget);
// Text colour (palette and the property "vbFore").
void setForeColour(QWidget& widget, std::int32_t number);
std::int32_t foreColour(const QWidget& widget);
// A field switched on (white, enabled) or off (grey, disabled).
void switchField(QWidget& widget, bool on);

// Unticks an option button even when it is the one ticked of its group.
void untickOption(QRadioButton& option);

class VbCombo : public QComboBox {
    Q_OBJECT
public:
    explicit VbCombo(bool editable, QWidget* parent = nullptr);

    void showPopup() override;
    // The selected position; -1 when nothing is selected or the user typed into the box.
    int listIndex() const { return currentIndex(); }
    void setListIndex(int index) { setCurrentIndex(index); }
    QString text() const { return currentText(); }
    // Editable box only: the text without a selection.
    void setText(const QString& text);
    std::int32_t selectedData() const;

signals:
    void dropDown();
};

// A figure of the section 179 panel: the figure itself and its text "$###,##0"; empty counts as 0.
class FigureLabel : public QLabel {
public:
    using QLabel::QLabel;
    void setFigure(double figure);
    void clearFigure();
    double figure() const { return figure_; }

private:
    double figure_ = 0;
};

}  // namespace tally::desk::assets
