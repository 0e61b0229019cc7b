#pragma once
// The report window: one list report in a child window of the main window, with Gridlines, Print and Cancel
// under the list. The window runs its report's query, keeps the recordset while it is open, has the list filled
// and sizes itself to the rows.

#include <cstdint>

#include <QWidget>

#include "ListModel.h"
#include "Recordset.h"
#include "ReportWindowLayout.h"

class QPushButton;

namespace ui {
class ListView;
}

namespace tally::desk {

class frmDocument : public QWidget {
    Q_OBJECT
public:
    explicit frmDocument(QWidget* parent = nullptr);

    // Runs the report's query (`number`: the tax year, or the asset number of "Depreciation Schedule"), fills
    // the list and sizes the window; returns the row count, 0 for an empty report or a name the catalogue does
    // not hold.
    long CreateReport(const QString& strReport, std::int32_t number);

    // Keeps the report's recordset in a file; false (after a message) when the file exists or cannot be written.
    bool ExportFile(const QString& strFilePath);
    // Reads a kept recordset back into the window (the list is not filled) and sizes the window to the list; 0.
    long OpenRecordSet(const QString& strFileName);
    const ado::RecordsetPtr& recordset() const { return recordset_; }

    ui::ListView& lvListView() { return *lvListView_; }
    ListModel& listModel() { return model_; }
    // Shows the model's column headings and widths again after they were changed.
    void refreshColumns();

    // The window's outer size in twips (the child window's frame included), as the catalogue sizes it.
    TwipsSize outerSize() const;
    void setOuterWidth(std::int64_t twips);
    void setOuterHeight(std::int64_t twips);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget& outerWindow() const;
    void layOut();
    void cmdGridLines_Click();
    void cmdPrint_Click();

    ui::ListView* lvListView_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdGridLines_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    ado::RecordsetPtr recordset_;
    ListModel model_;
};

// The main window's outer size in twips (a default size while there is none).
TwipsSize mainWindowSize();

}  // namespace tally::desk
