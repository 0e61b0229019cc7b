#pragma once
// The reference tables the maintenance window edits: the key each menu item passes, the database table, the
// window caption and help topic, the engine query that loads the rows, and the fields that take a fixed value
// from a drop-down list.

#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "Recordset.h"

namespace tally::desk {

struct FixedEntry {
    QString text;
    std::optional<int> itemData;  // the method id for asset-class methods; none elsewhere
};

struct FixedList {
    int field;
    std::vector<FixedEntry> entries;
};

struct MaintTable {
    QString key;
    QString table;
    QString caption;
    int helpContextId;
    QString loader;  // the loader's name, which its error box carries
    std::function<ado::RecordsetPtr()> query;
    std::vector<FixedList> fixedLists;
};

// The table of a key (compared exactly, case included); nothing for any other key.
const MaintTable* findMaintTable(const QString& key);

inline constexpr int kMaintHelpId = 600;

// Tables and captions the rules and statements single out.
inline const QString kCompanyTable = QStringLiteral("tblCompany");
inline const QString kClassTable = QStringLiteral("tblDeprClass");
inline const QString kClassCaption = QStringLiteral("Asset Classes");
inline const QString kMisc4562Caption = QStringLiteral("Miscellanous 4562 Data");

}  // namespace tally::desk
