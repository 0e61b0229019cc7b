#pragma once
// The checks a record must pass before the maintenance window saves it. Every check of the table runs, also after
// one has failed, so that the user sees every fault at once; the run gathers the messages (in check order), the
// fields whose labels turn red, the field that takes the cursor and whether the status line turns red. The checks
// read and write only the fields' texts (the amortization code of a class that is not amortized becomes "0").

#include <optional>
#include <set>
#include <vector>

#include <QString>
#include <QStringList>

namespace tally::desk {

struct EditField {
    QString name;  // the column name as the recordset gives it (blanks kept)
    QString text;
    bool visible = true;  // a field covered by a drop-down list cannot take the cursor
};

struct ValidationRun {
    bool valid = true;
    QString status;          // the messages, one after the other
    bool statusRed = false;  // a required, numeric, life, vehicle or amortization check failed
    std::set<int> redLabels;
    std::optional<int> focusField;
    bool gblnMaintFocusSet = false;
};

class FieldRules {
public:
    explicit FieldRules(std::vector<EditField>& fields) : fields_(fields) {}

    // Runs the checks of `table`; a table without checks passes.
    ValidationRun bValid(const QString& table);

    bool FieldIsRequired(int i);
    bool FieldIsNumeric(int i);
    bool FieldIsInRange(int i, int low, int high);
    bool FieldIsCheckLife(int life, int method);
    bool FieldIsListedForAuto(int type, int method);
    bool FieldIsAmortizeCode(int code, int method);
    bool FieldIsYorN(int i, bool required);

    const ValidationRun& run() const { return run_; }

private:
    QString fieldName(int i) const;
    const QString& text(int i) const;
    void fail(int i, const QString& message, bool red, bool takeFocus, bool labelRed = true);
    void takeFocus(int i);

    std::vector<EditField>& fields_;
    ValidationRun run_;
};

}  // namespace tally::desk
