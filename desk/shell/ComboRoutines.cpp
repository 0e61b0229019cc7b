#include "ComboRoutines.h"

#include <cmath>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QStyle>

#include "AppIdentity.h"
#include "ComError.h"
#include "Conversions.h"
#include "ErrorReport.h"
#include "MaintHooks.h"
#include "MaskedEdit.h"
#include "StatusLine.h"
#include "Strings.h"
#include "Twips.h"

namespace tally::desk {

namespace {
// Selects the first entry that matches, or the last entry when none does (returning 0 then).
template <typename Matches>
std::int16_t selectFirstMatch(QComboBox& combo, Matches&& matches) {
    for (int i = 0; i < combo.count(); ++i) {
        if (matches(i)) {
            combo.setCurrentIndex(i);
            return static_cast<std::int16_t>(i);
        }
    }
    if (combo.count() > 0) combo.setCurrentIndex(combo.count() - 1);
    return 0;
}
}  // namespace

void AddCboBox(MaintWindowHooks& form, std::int16_t position) {
    trapStep(QStringLiteral("Error in AddCboBox "), ErrorLayout::ErrorNumber, [&] {
        QComboBox* combo = position > 0 ? form.loadCboEdit(position) : form.cboEdit(0);
        ui::MaskedEdit* edit = form.mskEdit(position);
        if (!combo || !edit) raiseVbError(vberr::NoSuchControl, kErrorSource);
        combo->setVisible(true);
        const QRect field = edit->geometry();
        ui::placeTwips(*combo, ui::toTwips(field.x()), ui::toTwips(field.y()) - 25, ui::toTwips(field.width()) + 50,
                       ui::toTwips(combo->sizeHint().height()));
        QWidget::setTabOrder(edit, combo);
        edit->hide();
    });
}

std::int16_t GetCboIndex(const QString& text, QComboBox& combo) {
    if (text == QLatin1String(" ")) return static_cast<std::int16_t>(combo.count() - 1);
    return selectFirstMatch(combo, [&](int i) { return TrimBlanks(combo.itemText(i)) == text; });
}

std::int16_t GetCboIndexFromItemData(std::int32_t id, QComboBox& combo) {
    if (id == 0) return static_cast<std::int16_t>(combo.count() - 1);
    return selectFirstMatch(combo, [&](int i) {
        const QVariant data = combo.itemData(i);
        return data.isValid() && data.toInt() == id;
    });
}

void FillCboBox(ado::RecordsetPtr& rs, QComboBox& combo, bool withIds) {
    RepeatErrorGuard guard(QStringLiteral("Error in FillCboBox. "));
    combo.clear();
    auto require = [&]() -> ado::Recordset& {
        if (!rs) raiseVbError(vberr::ObjectNotSet, kErrorSource);
        return *rs;
    };
    for (;;) {
        try {
            if (require().EOF_()) break;
        } catch (...) {
            if (guard.report()) break;
            continue;
        }
        try {
            combo.addItem(QString::fromStdString(vb::Trim(require()[0].toString())));
            if (withIds) combo.setItemData(combo.count() - 1, require()[1].toLong());
        } catch (...) {
            if (guard.report()) break;
        }
        try {
            require().MoveNext();
        } catch (...) {
            if (guard.report()) break;
        }
    }
    rs.reset();
}

void UpdateEditFields(MaintWindowHooks& form) {
    auto copy = [&](int i) {
        trapStep(QStringLiteral("Error in UpdateEditFields. "), ErrorLayout::ErrorNumber, [&] {
            QComboBox* combo = form.cboEdit(i);
            ui::MaskedEdit* edit = form.mskEdit(i);
            if (combo && edit) edit->setTextValue(combo->currentText());
        });
    };
    if (QComboBox* first = form.cboEdit(0); first && !first->isHidden()) copy(0);
    for (int i = 1; i <= form.fieldCount() - 2; ++i) copy(i);
}

ComboMetrics screenMetrics() {
    return {[](const QString& text, const QWidget& window) {
                return QFontMetricsF(window.font()).horizontalAdvance(text) * ui::kTwipsPerPixel;
            },
            [] { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }};
}

void SetCboWidth(QComboBox& combo, const QWidget& window, std::int16_t& width, const ComboMetrics& metrics) {
    trapStep(QStringLiteral("Error in SetCboWidth "), ErrorLayout::Blank, [&] {
        for (int i = 0; i < combo.count(); ++i) {
            const double itemWidth = std::nearbyint(metrics.textWidthTwips(combo.itemText(i), window) - 3200);
            if (itemWidth > width) width = vb::CInt(itemWidth);
        }
        width = vb::CInt(width + static_cast<double>(ui::kTwipsPerPixel) * (metrics.scrollBarWidthPixels() + 8));
        if (width > ui::toTwips(combo.width())) combo.view()->setMinimumWidth(width / ui::kTwipsPerPixel);
    });
}

}  // namespace tally::desk
