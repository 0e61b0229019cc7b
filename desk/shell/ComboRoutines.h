#pragma once
// Shared combo-box routines: fill a combo from a recordset, find an entry by its text or its id, widen the
// drop-down list to the longest entry, and on the maintenance window lay combos over edit fields and copy their
// values back.

#include <cstdint>
#include <functional>

#include <QString>

#include "Recordset.h"

class QComboBox;
class QWidget;

namespace tally::desk {

class MaintWindowHooks;

// Loads cboEdit(p) when p > 0 and lays it over mskEdit(p): 25 twips higher, 50 twips wider, in its tab place;
// the edit field is hidden.
void AddCboBox(MaintWindowHooks& form, std::int16_t position);

// " " gives the last position (-1 on an empty list) and leaves the selection; otherwise the first entry whose
// text, blanks trimmed, equals `text` exactly is selected and its position returned; none gives 0 with the last
// entry selected.
std::int16_t GetCboIndex(const QString& text, QComboBox& combo);
// The same on the entries' ids; id 0 gives the last position.
std::int16_t GetCboIndexFromItemData(std::int32_t id, QComboBox& combo);

// Clears the combo and adds the first field of each row (blanks trimmed), with the second field as the entry's
// id when `withIds`. The caller's recordset reference is emptied.
void FillCboBox(ado::RecordsetPtr& rs, QComboBox& combo, bool withIds);

// Copies the combos' texts into the edit fields beneath them before the maintenance window saves.
void UpdateEditFields(MaintWindowHooks& form);

// Text measurements SetCboWidth uses; tests give fixed ones.
struct ComboMetrics {
    std::function<double(const QString& text, const QWidget& window)> textWidthTwips;
    std::function<int()> scrollBarWidthPixels;
};
ComboMetrics screenMetrics();

// Widens the combo's drop-down list to its longest entry: `width` (twips, the caller's floor) grows to the
// widest entry less 3200, plus a scroll bar and 8 pixels; when that exceeds the combo, the list gets it.
void SetCboWidth(QComboBox& combo, const QWidget& window, std::int16_t& width,
                 const ComboMetrics& metrics = screenMetrics());

}  // namespace tally::desk
