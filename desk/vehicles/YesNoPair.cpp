#include "YesNoPair.h"

#include <QRadioButton>

#include "Twips.h"

namespace tally::desk {

YesNoPair::YesNoPair(const QString& frameName, const QString& arrayName, QWidget* parent) : QFrame(parent) {
    setObjectName(frameName);
    setFrameShape(QFrame::NoFrame);
    const double lefts[2] = {100, 440};
    for (int i = 0; i < 2; ++i) {
        options_[i] = new QRadioButton(this);
        options_[i]->setObjectName(arrayName + QLatin1Char('_') + QString::number(i));
        options_[i]->setAccessibleName(i == 0 ? tr("Yes") : tr("No"));
        // The buttons show without captions, under the column's "Yes   No" heading.
        ui::placeTwips(*options_[i], lefts[i], 120, 255, 255);
        connect(options_[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on) emit clicked();
        });
    }
}

bool YesNoPair::answered() const { return options_[0]->isChecked() || options_[1]->isChecked(); }

bool YesNoPair::isYes() const { return options_[0]->isChecked(); }

void YesNoPair::setAnswer(bool yes) { options_[yes ? 0 : 1]->setChecked(true); }

void YesNoPair::clear() {
    for (QRadioButton* option : options_) {
        const QSignalBlocker quiet(option);
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void YesNoPair::setOptionsEnabled(bool enabled) {
    for (QRadioButton* option : options_) option->setEnabled(enabled);
}

}  // namespace tally::desk
