#include "QuerySupport.h"

#include <memory>
#include <utility>
#include <vector>

#include "modDatabase.h"

namespace tally::engine::queries {

ado::RecordsetPtr openQuery(const std::string& sql) {
    return modDatabase::ExecuteQueryReturnRS(sql, modDatabase::SharedConnection());
}

void runAction(const std::string& sql) {
    modDatabase::ExecuteQuery(sql, modDatabase::SharedConnection());
}

std::int32_t readNumber(const std::string& sql) {
    return modDatabase::ReturnDbData(sql);
}

std::string textLiteral(std::string_view text) {
    std::string literal = "'";
    for (char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    literal += '\'';
    return literal;
}

ado::RecordsetPtr withComputedColumns(ado::RecordsetPtr recordset, std::initializer_list<ComputedColumn> columns) {
    for (const ComputedColumn& column : columns) recordset->setFieldInfo(column.index, column.type, column.definedSize);
    return recordset;
}

ado::RecordsetPtr withWrittenNames(const ado::RecordsetPtr& recordset, std::initializer_list<WrittenName> names) {
    std::vector<ado::FieldInfo> fields;
    for (long i = 0; i < recordset->FieldCount(); ++i) fields.push_back(recordset->fieldInfo(i));
    for (const WrittenName& written : names) fields.at(static_cast<std::size_t>(written.index)).name = written.name;
    return std::make_shared<ado::Recordset>(std::move(fields), recordset->rows());
}

}  // namespace tally::engine::queries
