#include "MaintLayout.h"

#include <algorithm>

namespace tally::desk {

namespace {
constexpr int kLabelLeft = 120;
constexpr int kLabelTop = 285;
constexpr int kEditLeft = 1480;
constexpr int kEditTop = 240;
constexpr int kRowStep = 325;
constexpr int kRightLabelShift = 3950;
constexpr int kRightEditShift = 3875;
constexpr int kWidestEdit = 2800;
constexpr int kLongestField = 64;
// A memo's defined size says nothing about the text a column shows; it is read as a long text field.
constexpr long kWidestTextSize = 255;
constexpr int kGap = 60;
}  // namespace

ColumnLayout columnLayout(int index, const QString& name, int adoType, long definedSize) {
    ColumnLayout column;
    column.size = static_cast<int>(std::clamp(definedSize, 0L, kWidestTextSize));
    const int nameWidth = static_cast<int>(name.size()) * 100;
    const int sizeWidth = column.size * 68;
    column.width = std::max(nameWidth, sizeWidth);
    if (adoType <= 10) {
        column.size *= 2;
        column.rightAligned = index != 0;
        column.width += 100;
        column.kind = adoType == 7 ? ColumnKind::Date : ColumnKind::Number;
    }
    return column;
}

int editMaxLength(int size) { return std::min(size, kLongestField); }

int editWidth(int columnWidth) {
    const double width = columnWidth < 500 ? columnWidth * 2.5 : columnWidth * 1.3;
    return std::min(static_cast<int>(width), kWidestEdit);
}

EditColumns editColumns(int widestCaption) {
    EditColumns columns;
    columns.labelWidth = std::max(kLabelWidth, widestCaption);
    columns.shift = columns.labelWidth - kLabelWidth;
    columns.frameWidth = kEditFrameWidth + 2 * columns.shift;
    return columns;
}

FieldPlace fieldPlace(int index, const EditColumns& columns) {
    const int row = index / 2;
    FieldPlace place{kLabelLeft, kLabelTop + row * kRowStep, kEditLeft + columns.shift, kEditTop + row * kRowStep};
    if (index % 2 == 1) {
        place.labelLeft += kRightLabelShift + columns.shift;
        place.editLeft += kRightEditShift + columns.shift;
    }
    return place;
}

int placedEditWidth(int index, int columnWidth, int shownWidth) {
    const int width = std::max(editWidth(columnWidth), std::min(shownWidth, kWidestEdit));
    if (index % 2 == 1) return width;
    return std::min(width, kLabelLeft + kRightLabelShift - kEditLeft - kGap);
}

int editFrameHeight(int lastIndex) { return kEditFrameBaseHeight + (std::max(lastIndex, 0) / 2) * kRowStep; }

}  // namespace tally::desk
