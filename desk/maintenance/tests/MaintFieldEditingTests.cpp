// The maintenance window's edit fields as a user meets them on a desktop: their lengths under pasting, stored
// texts longer than a field takes, and fields wide enough for what they hold.
#include <QClipboard>
#include <QGuiApplication>

#include "MaintTestSupport.h"

namespace tally::desk::testing {
namespace {

class MaintFields : public MaintTest {
protected:
    static void clickInto(QLineEdit& field) {
        QTest::mouseClick(&field, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
};

TEST_F(MaintFields, PastingKeepsAFieldsLengthAndALongerStoredTextLoadsAndSavesUnchanged) {
    const std::string owner = "Patricia Alexandra Montgomery-Fitzgerald and Sons of Old Town";  // 61 characters
    exec("update tblCompany set Owner = '" + owner + "', [Tax Id] = '12-3456789'");
    frmMaint& form = open("Companies");
    clickRow(form, "Sample Company");
    EXPECT_EQ(form.mskEdit(1)->text().toStdString(), owner);

    // Tax Id takes 11 characters: a longer text pasted in place of its own is cut there.
    QGuiApplication::clipboard()->setText(QStringLiteral("98-7654321 (federal employer number)"));
    clickInto(*form.mskEdit(7));
    pressAsX11(Qt::Key_A, Qt::ControlModifier);
    pressAsX11(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.mskEdit(7)->text(), "98-7654321 ");
    pressAsX11(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(form.mskEdit(7)->text(), "98-7654321 ");

    // Pasting cannot lengthen the owner further, and saving the record writes it back whole.
    clickInto(*form.mskEdit(1));
    pressAsX11(Qt::Key_End);
    pressAsX11(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.mskEdit(1)->text().toStdString(), owner);
    type(form, 4, "Springfield");
    form.cmdSave().click();
    EXPECT_EQ(status(form), "Record Updated.");
    EXPECT_EQ(value("select Owner from tblCompany").toString(), owner);
    EXPECT_EQ(value("select [Tax Id] from tblCompany").toString(), "98-7654321 ");
}

TEST_F(MaintFields, ATaxIdShowsWhole) {
    exec("update tblCompany set [Tax Id] = '12-3456789'");
    frmMaint& form = open("Companies");
    clickRow(form, "Sample Company");
    ui::MaskedEdit& taxId = *form.mskEdit(7);
    ASSERT_EQ(form.lblEdit(7)->text(), "Tax Id: ");
    // Scrolled to its end and back to its start, a text that shows whole does not move: the cursor travels the
    // text's full width.
    taxId.end(false);
    taxId.grab();  // the box scrolls as it is drawn
    const int atEnd = taxId.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    taxId.home(false);
    taxId.grab();
    const int atStart = taxId.inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    EXPECT_GE(atEnd - atStart, taxId.fontMetrics().horizontalAdvance(taxId.text()));
}

}  // namespace
}  // namespace tally::desk::testing
