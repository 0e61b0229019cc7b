// The real prompts: Qt dialogs, the desktop's link handler and detached processes.

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

#include "Prompts.h"
#include "Twips.h"

namespace ui {
namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<ButtonSpec> buttonsFor(int style) {
    using B = QMessageBox;
    switch (mb::buttonsOf(style)) {
    case mb::OKCancel: return {{B::Ok, mb::OK}, {B::Cancel, mb::Cancel}};
    case mb::AbortRetryIgnore: return {{B::Abort, mb::Abort}, {B::Retry, mb::Retry}, {B::Ignore, mb::Ignore}};
    case mb::YesNoCancel: return {{B::Yes, mb::Yes}, {B::No, mb::No}, {B::Cancel, mb::Cancel}};
    case mb::YesNo: return {{B::Yes, mb::Yes}, {B::No, mb::No}};
    case mb::RetryCancel: return {{B::Retry, mb::Retry}, {B::Cancel, mb::Cancel}};
    default: return {{B::Ok, mb::OK}};
    }
}

QMessageBox::Icon iconFor(int style) {
    switch (mb::iconOf(style)) {
    case mb::Critical: return QMessageBox::Critical;
    case mb::Question: return QMessageBox::Question;
    case mb::Exclamation: return QMessageBox::Warning;
    case mb::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// Qt's own file dialog reads a typed name that holds a double quote as a list of quoted names ("a" "b") and
// goes on with a piece of it: my"copy.mdb would be taken as copy.mdb, and the file written or read would not be
// the one the user named. Such a name is refused where it was typed, and the dialog stays open for another.
// (A dialog of the desktop, where Qt uses one, has no such field and reads names as they are.)
class FileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* typed = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (typed && typed->isVisible() && typed->text().contains(QLatin1Char('"'))) {
            prompts().msgBox(QStringLiteral("A file name cannot contain a double quote (\"). Please type the name "
                                            "without it."),
                             mb::OKOnly | mb::Exclamation, windowTitle());
            return;
        }
        QFileDialog::accept();
    }
};

void configure(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilter(request.filter);
    dialog.setDirectory(request.initialDir);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
}

class QtPrompts final : public Prompts {
public:
    std::optional<QString> openFile(const FileDialogRequest& request) override {
        FileDialog dialog(QApplication::activeWindow());
        configure(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().front();
    }

    std::optional<QString> saveFile(const FileDialogRequest& request) override {
        FileDialog dialog(QApplication::activeWindow());
        configure(dialog, request);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return dialog.selectedFiles().front();
    }

    bool openLink(const QString& target) override {
        const QFileInfo file(target);
        const QUrl url = file.isAbsolute() && file.exists() ? QUrl::fromLocalFile(target) : QUrl(target);
        return QDesktopServices::openUrl(url);
    }

    bool startProgram(const QString& program, const QStringList& arguments) override {
        return QProcess::startDetached(program, arguments);
    }

    void beginWait() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void endWait() override { QApplication::restoreOverrideCursor(); }

protected:
    int showMessage(const MessageRequest& request) override {
        QMessageBox box(iconFor(request.style), request.title, request.text, QMessageBox::NoButton,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        // A box narrower than its title has the title cut by the window manager ("Confi...Delete"): an empty row
        // under the box's contents keeps it as wide as the title and the title bar's buttons. (A minimum width on
        // the text itself would stop the box from wrapping a long text.)
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            const int titleWidth = std::min(box.fontMetrics().horizontalAdvance(request.title) * 5 / 4 + 100, 640);
            grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                          0, 1, grid->columnCount());
        }
        const auto specs = buttonsFor(request.style);
        for (const auto& spec : specs) box.addButton(spec.button);
        const std::size_t defaultIndex = (request.style & mb::DefaultButton3) ? 2
                                         : (request.style & mb::DefaultButton2) ? 1
                                                                                : 0;
        if (defaultIndex < specs.size()) box.setDefaultButton(specs[defaultIndex].button);
        const int escape = mb::escapeAnswer(request.style);
        for (const auto& spec : specs)
            if (spec.answer == escape) box.setEscapeButton(box.button(spec.button));
        box.exec();
        const auto* clicked = box.clickedButton();
        for (const auto& spec : specs)
            if (clicked == box.button(spec.button)) return spec.answer;
        return escape;
    }

    QString showInput(const InputRequest& request) override {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(request.title);
        dialog.setLabelText(request.prompt);
        dialog.setTextValue(request.defaultText);
        for (auto* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
        // About as wide as the input box of the original program, so that a title such as a report's name is
        // not cut (the dialog fixes its own size from its contents).
        if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMinimumWidth(toPixels(4200));
        if (request.topLeft) dialog.move(*request.topLeft);
        if (dialog.exec() != QDialog::Accepted) return {};
        return dialog.textValue();
    }
};

}  // namespace

std::unique_ptr<Prompts> makeQtPrompts() { return std::make_unique<QtPrompts>(); }

}  // namespace ui
