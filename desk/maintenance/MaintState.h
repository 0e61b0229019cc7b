#pragma once
// The state of the one maintenance window, kept from the loading of a table until the window closes. The window
// owns it; nothing else writes it.

#include <cstdint>

#include <QString>

#include "Recordset.h"

namespace tally::desk {

struct MaintState {
    // The loader's rows; only the field names, types and sizes are read after the list is filled.
    ado::RecordsetPtr grsMaint;
    QString gstrMaintTable;
    // Name of the recordset's last field, the table's key.
    QString gstrMaintKeyField;
    // Key text of the row loaded into the edit fields.
    QString gvarMaintKeyValue;
    // Fields of grsMaint, key included; the edit fields run 0 .. gintMaintFieldCount - 2.
    std::int16_t gintMaintFieldCount = 0;
    // The list's own key of the row loaded into the fields (0: none). A key, not a position, so that sorting the
    // list cannot make a save write into another row.
    std::int32_t gintMaintRow = 0;
    // The fields hold a stored row: Apply updates it; otherwise Apply inserts.
    bool gblnMaintEditing = false;
    // The fields were edited since they were last loaded, cleared or saved.
    bool gblnMaintChanged = false;
    // A check of the last validation run has taken the focus.
    bool gblnMaintFocusSet = false;
};

}  // namespace tally::desk
