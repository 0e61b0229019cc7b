#pragma once
// A masked edit box: a QLineEdit with an input mask written in the masked-edit notation the forms use
// ("##/####" for month/year dates). Its Text() shows the blanks as "_" ("__/____" when empty), as the program's
// checks expect; with no mask it is a plain edit box.

#include <QLineEdit>

namespace ui {

class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget* parent = nullptr);

    // "#" digit, "9" optional digit, "A"/"a" letter or digit (required/optional), "&"/"C" any character
    // (required/optional), "?" letter, ">"/"<" case, "\" takes the next character literally; any other
    // character is a literal. An empty mask removes it. The text is cleared.
    void setMask(const QString& mask);
    const QString& mask() const { return mask_; }

    // The text as shown, placeholders included ("__/____" when empty under the date mask).
    QString Text() const;
    // Puts a text into the box; with a mask, an empty text clears it back to its placeholders, and a text that
    // does not fit the mask position by position raises Invalid property value (380), leaving the box as it was.
    void setTextValue(const QString& text);

    // The Qt input mask for a masked-edit mask.
    static QString qtInputMask(const QString& mask);

protected:
    // A click or Tab into a masked box that holds no typed character puts the cursor on its first free place, so
    // what the user types fills the mask from its start wherever the click fell.
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Puts the cursor on the first input place, unless the box holds a typed character (or has no mask).
    void toFirstFreePlace();

    QString mask_;
};

// The month/year date box of the forms: mask "##/####".
inline constexpr const char* kMonthYearMask = "##/####";

}  // namespace ui
