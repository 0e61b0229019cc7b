#include "RecordsetFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "AppIdentity.h"
#include "AtomicFile.h"
#include "ComError.h"
#include "Conversions.h"

namespace tally::desk {

namespace {

constexpr const char* kFormatName = "Tallyvane recordset";
constexpr int kFormatVersion = 1;
constexpr long kWrongArguments = 3001;

[[noreturn]] void notARecordsetFile(const QString& path) {
    throw ComError(kWrongArguments, kErrorSource,
                   "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
                   "another: " + path.toStdString() + " is not a saved report.");
}

QJsonObject valueToJson(const vb::Variant& value) {
    QJsonObject out;
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                out.insert("t", "empty");
            } else if constexpr (std::is_same_v<T, vb::NullTag>) {
                out.insert("t", "null");
            } else if constexpr (std::is_same_v<T, bool>) {
                out.insert("t", "boolean");
                out.insert("v", v);
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                out.insert("t", "integer");
                out.insert("v", v);
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                out.insert("t", "long");
                out.insert("v", static_cast<qint64>(v));
            } else if constexpr (std::is_same_v<T, double>) {
                // The number's text keeps every digit a double holds.
                out.insert("t", "double");
                out.insert("v", QString::number(v, 'g', 17));
            } else if constexpr (std::is_same_v<T, std::string>) {
                out.insert("t", "string");
                out.insert("v", QString::fromStdString(v));
            } else {
                out.insert("t", "date");
                out.insert("v", QString::fromStdString(v.toIso()));
            }
        },
        value.raw());
    return out;
}

vb::Variant valueFromJson(const QJsonValue& json, const QString& path) {
    const QJsonObject cell = json.toObject();
    const QString type = cell.value("t").toString();
    const QJsonValue v = cell.value("v");
    if (type == "empty") return {};
    if (type == "null") return vb::Variant::null();
    if (type == "boolean" && v.isBool()) return vb::Variant(v.toBool());
    if (type == "integer" && v.isDouble()) return vb::Variant(static_cast<std::int16_t>(v.toInt()));
    if (type == "long" && v.isDouble()) return vb::Variant(static_cast<std::int32_t>(v.toInteger()));
    if (type == "double" && v.isString()) {
        bool ok = false;
        const double number = v.toString().toDouble(&ok);
        if (ok) return vb::Variant(number);
    }
    if (type == "string" && v.isString()) return vb::Variant(v.toString().toStdString());
    if (type == "date" && v.isString()) {
        const QStringList parts = v.toString().split(u'-');
        if (parts.size() == 3) {
            try {
                return vb::Variant(vb::Date(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()));
            } catch (const ComError&) {
            }
        }
    }
    notARecordsetFile(path);
}

}  // namespace

void saveRecordsetFile(const ado::Recordset& recordset, const QString& path) {
    QJsonArray fields;
    for (long i = 0; i < recordset.FieldCount(); ++i) {
        const ado::FieldInfo& info = recordset.fieldInfo(i);
        fields.append(QJsonObject{{"name", QString::fromStdString(info.name)},
                                  {"type", static_cast<int>(info.type)},
                                  {"size", static_cast<qint64>(info.definedSize)}});
    }
    QJsonArray rows;
    for (const auto& row : recordset.rows()) {
        QJsonArray values;
        for (const vb::Variant& value : row) values.append(valueToJson(value));
        rows.append(values);
    }
    const QJsonObject document{{"format", kFormatName}, {"version", kFormatVersion}, {"fields", fields},
                               {"rows", rows}};
    const QByteArray bytes = QJsonDocument(document).toJson();
    files::writeFileWhole(std::filesystem::path(path.toStdString()), std::string_view(bytes.data(), bytes.size()),
                          files::FileAccess::Shared, kErrorSource);
}

ado::RecordsetPtr loadRecordsetFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ComError(ado::adoerr::ConnectionClosed, kErrorSource, "The file " + path.toStdString() + " cannot be opened.");
    }
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject root = document.object();
    if (root.value("format").toString() != kFormatName || root.value("version").toInt() != kFormatVersion)
        notARecordsetFile(path);

    std::vector<ado::FieldInfo> fields;
    for (const QJsonValue& value : root.value("fields").toArray()) {
        const QJsonObject field = value.toObject();
        if (!field.value("name").isString()) notARecordsetFile(path);
        fields.push_back({field.value("name").toString().toStdString(),
                          static_cast<ado::DataType>(field.value("type").toInt()),
                          static_cast<long>(field.value("size").toInteger())});
    }
    std::vector<std::vector<vb::Variant>> rows;
    for (const QJsonValue& value : root.value("rows").toArray()) {
        const QJsonArray cells = value.toArray();
        if (static_cast<std::size_t>(cells.size()) != fields.size()) notARecordsetFile(path);
        std::vector<vb::Variant> row;
        for (const QJsonValue& cell : cells) row.push_back(valueFromJson(cell, path));
        rows.push_back(std::move(row));
    }
    return std::make_shared<ado::Recordset>(std::move(fields), std::move(rows));
}

}  // namespace tally::desk
