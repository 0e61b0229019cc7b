#pragma once
// A Yes/No answer as two option buttons in a captionless frame: element 0 Yes, element 1 No, named
// <array>_0 and <array>_1. Neither set means the question is not answered yet.

#include <QFrame>

class QRadioButton;

namespace tally::desk {

class YesNoPair : public QFrame {
    Q_OBJECT
public:
    // `frameName` names the frame, `arrayName` the two buttons.
    YesNoPair(const QString& frameName, const QString& arrayName, QWidget* parent);

    QRadioButton& option(int index) { return *options_[index]; }
    bool answered() const;
    bool isYes() const;
    // Sets the Yes or the No button on; like a click, this runs the pair's click rule.
    void setAnswer(bool yes);
    // Turns both buttons off; no click rule runs.
    void clear();
    void setOptionsEnabled(bool enabled);

signals:
    // A button was set on, by the user or by code.
    void clicked();

private:
    QRadioButton* options_[2] = {nullptr, nullptr};
};

}  // namespace tally::desk
