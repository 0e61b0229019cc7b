#pragma once
// The statements the maintenance window writes its tables with, built from the loaded recordset's field names
// and types and the edit fields' texts. Text goes between apostrophes with every apostrophe turned into a
// backtick; numbers go in their canonical form; a number field whose text is no number goes in as quoted text,
// which the database refuses, so that nothing typed is ever pasted into a statement.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace tally::desk {

struct SqlField {
    QString name;   // unchanged, trailing blanks kept
    int adoType = 0;
    QString text;
};

struct RecordSqlInput {
    QString table;
    QString caption;                // "Asset Classes" writes the method id; the 4562 data add the company
    std::vector<SqlField> fields;   // the edit fields, without the key
    std::optional<int> methodId;    // the selected method's id (asset classes)
    QString keyField;
    QString keyValue;
    std::int32_t companyId = 0;
};

// The value as it follows "[column]" in an UPDATE (" = 5") and as it stands in an INSERT's value list.
QString updateValue(int adoType, const QString& text);
QString insertValue(int adoType, const QString& text);
// The key as the WHERE clause compares it.
QString keyText(const QString& keyValue);

QString CreateUpdateSQL(const RecordSqlInput& input);
QString CreateInsertSQL(const RecordSqlInput& input);
QString CreateDeleteSQL(const QString& table, const QString& keyField, const QString& keyValue);
QString RetrieveKeySQL(const QString& table, const QString& keyField);

}  // namespace tally::desk
