#pragma once
// What the shared combo and list routines need of the table-maintenance window: its edit-field arrays, its list
// and its record routines. The maintenance window implements this.

#include <cstdint>

#include <QString>

class QComboBox;

namespace ui {
class ListView;
class MaskedEdit;
}  // namespace ui

namespace tally::desk {

class MaintWindowHooks {
public:
    virtual ~MaintWindowHooks() = default;

    // Edit-field arrays by position; nullptr where no element is loaded.
    virtual ui::MaskedEdit* mskEdit(int index) = 0;
    virtual QComboBox* cboEdit(int index) = 0;
    // Loads element `index` (> 0) of the combo array and returns it.
    virtual QComboBox* loadCboEdit(int index) = 0;
    // Number of fields of the table shown (the last is the record key).
    virtual std::int16_t fieldCount() const = 0;

    virtual ui::ListView& lvMain() = 0;
    virtual void ResetEditMode() = 0;
    virtual void NewRecord() = 0;
    virtual void ItializeDataField() = 0;
    virtual void UpdateMaintStatusBar(const QString& message, const QString& number = {}) = 0;
};

}  // namespace tally::desk
