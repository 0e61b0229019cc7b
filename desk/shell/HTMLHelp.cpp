#include "HTMLHelp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "ErrorReport.h"
#include "HelpViewer.h"
#include "Prompts.h"

namespace tally::desk {

HTMLHelp::~HTMLHelp() { HHClose(); }

void HTMLHelp::ShowWarningBox(const QString& text) {
    ui::prompts().msgBox(text, ui::mb::OKOnly | ui::mb::Exclamation, QStringLiteral("HTML Help Class"));
}

QWidget* HTMLHelp::HHWndHandle() const {
    if (!lastViewer_) ShowWarningBox(QStringLiteral("No HTML Help window handle to retrieve."));
    return lastViewer_;
}

// The help file of this platform is a compiled Qt help file.
bool HTMLHelp::CheckChmExtension() const {
    if (chmFile_.right(3).compare(QLatin1String("qch"), Qt::CaseInsensitive) == 0) return true;
    ShowWarningBox(chmFile_ + QStringLiteral(" is not a valid HTML Help file."));
    return false;
}

bool HTMLHelp::EnsureFileExists(QString& path) const {
    // A bare name is looked for in the program's folder.
    if (!path.contains(QLatin1Char('/')))
        path = QDir(QCoreApplication::applicationDirPath()).filePath(path);
    if (QFileInfo(path).isFile()) return true;
    ShowWarningBox(QStringLiteral("The file ") + path + QStringLiteral(" does not exist.") + QChar(10) +
                   QStringLiteral("Please make sure the correct path and file name have been specified."));
    return false;
}

void HTMLHelp::HHDisplayContents(QWidget* owner) { display(owner, Command::Contents); }
void HTMLHelp::HHDisplayIndex(QWidget* owner) { display(owner, Command::Index); }
void HTMLHelp::HHDisplayTopicID(QWidget* owner) { display(owner, Command::TopicId); }

void HTMLHelp::display(QWidget* owner, Command command) {
    if (!CheckChmExtension()) return;
    if (!EnsureFileExists(chmFile_)) return;
    // Failures of the viewer itself are not reported: help stays usable for the next request.
    ignoreErrors([&] {
        QPointer<HelpViewer>& viewer = viewers_[chmFile_];
        if (!viewer) {
            viewer = new HelpViewer(chmFile_, showOnTop_ ? owner : nullptr);
            viewer->placeOnScreenOf(owner);
        }
        if (!hhWindow_.trimmed().isEmpty()) viewer->setWindowTitle(hhWindow_);
        switch (command) {
        case Command::Contents: viewer->showContents(); break;
        case Command::Index: viewer->showIndex(); break;
        case Command::TopicId: viewer->showContext(topicId_); break;
        }
        lastViewer_ = viewer;
    });
}

void HTMLHelp::HHClose() {
    ignoreErrors([&] {
        for (auto& [file, viewer] : viewers_)
            if (viewer) viewer->close();
        viewers_.clear();
        lastViewer_ = nullptr;
    });
}

}  // namespace tally::desk
