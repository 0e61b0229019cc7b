#pragma once
// The sizes and places of the maintenance window's list columns and edit fields, all in twips, worked out from a
// field's name, type and defined size alone.

#include <QString>

namespace tally::desk {

enum class ColumnKind { Text, Number, Date };

struct ColumnLayout {
    int width = 0;
    int size = 0;           // the field length the edit field takes
    ColumnKind kind = ColumnKind::Text;
    bool rightAligned = false;
};

// Column `index` of a field: number and date columns (types up to 10) are right-aligned except the first.
ColumnLayout columnLayout(int index, const QString& name, int adoType, long definedSize);

int editMaxLength(int size);
int editWidth(int columnWidth);

struct FieldPlace {
    int labelLeft = 0;
    int labelTop = 0;
    int editLeft = 0;
    int editTop = 0;
};

// Where the label and field columns of the edit area stand. Labels are kLabelWidth wide unless the widest
// caption needs more; everything right of the labels then moves over by as much, so no caption is cut off.
struct EditColumns {
    int labelWidth = 0;
    int shift = 0;  // how much wider the labels are than designed
    int frameWidth = 0;
};
EditColumns editColumns(int widestCaption);

// Two fields to a row: even indexes on the left, odd ones on the right.
FieldPlace fieldPlace(int index, const EditColumns& columns = editColumns(0));
// Edit fields in the left column stop short of the right column's labels. A field is widened to `shownWidth`,
// the width that shows its longest text whole, as far as the same bounds allow.
int placedEditWidth(int index, int columnWidth, int shownWidth = 0);
// The edit frame's height for fields 0 .. last.
int editFrameHeight(int lastIndex);

inline constexpr int kLabelWidth = 1300;
inline constexpr int kLabelHeight = 255;
inline constexpr int kEditHeight = 285;
inline constexpr int kEditFrameWidth = 8325;
inline constexpr int kEditFrameBaseHeight = 735;

}  // namespace tally::desk
