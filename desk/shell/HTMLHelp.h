#pragma once
// The program's help object: shows the compiled help file (Qt Help, "Tallyform.qch" beside the program) in a
// help window of our own, at its contents, its index or a context topic, and closes the windows it opened.
// Only the members the program calls are here; the help system's registration, pop-up text and version
// look-ups have no use on this platform.

#include <cstdint>
#include <map>

#include <QPointer>
#include <QString>

class QWidget;

namespace tally::desk {

class HelpViewer;

class HTMLHelp {
public:
    HTMLHelp() = default;
    ~HTMLHelp();
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    // Full path of the help file; stored unchanged, checked when something is shown.
    void setCHMFile(const QString& path) { chmFile_ = path; }
    const QString& CHMFile() const { return chmFile_; }
    void setHHWindow(const QString& name) { hhWindow_ = name; }
    const QString& HHWindow() const { return hhWindow_; }
    // True: help windows belong to the window the caller passes; False (the program's use): they stand alone.
    void setHHShowOnTop(bool onTop) { showOnTop_ = onTop; }
    bool HHShowOnTop() const { return showOnTop_; }
    void setHHTopicID(std::int32_t id) { topicId_ = id; }
    std::int32_t HHTopicID() const { return topicId_; }
    // The help window of the last display call; a warning box when there is none.
    QWidget* HHWndHandle() const;

    void HHDisplayContents(QWidget* owner);
    void HHDisplayIndex(QWidget* owner);
    // The context topic HHTopicID (600 table maintenance, 590 Misc 4562 data).
    void HHDisplayTopicID(QWidget* owner);
    // Closes every help window this object opened; harmless when none is open.
    void HHClose();

private:
    enum class Command { Contents, Index, TopicId };
    void display(QWidget* owner, Command command);
    bool CheckChmExtension() const;
    bool EnsureFileExists(QString& path) const;
    static void ShowWarningBox(const QString& text);

    QString chmFile_;
    QString hhWindow_;
    bool showOnTop_ = false;
    std::int32_t topicId_ = 0;
    QPointer<HelpViewer> lastViewer_;
    std::map<QString, QPointer<HelpViewer>> viewers_;  // one window per help file
};

}  // namespace tally::desk
