#pragma once
// Every modal question, message box, input box, file dialog, link opening and program start of the desktop goes
// through one Prompts object, so that tests answer them with a scripted fake and nothing real ever pops up or
// launches there. Boxes show plain text only: company names and error texts from the data must never be taken
// as markup.

#include <memory>
#include <optional>

#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;

namespace ui {

// Message box styles and results as the program's callers write them: buttons + icon (+ default button).
namespace mb {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;

// Results.
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;

constexpr int buttonsOf(int style) { return style & 0x7; }
constexpr int iconOf(int style) { return style & 0x70; }
// The answer a box gives when it is closed without a choice (Esc or the close box).
int escapeAnswer(int style);
}  // namespace mb

struct MessageRequest {
    QString text;
    int style = mb::OKOnly;
    QString title;  // already resolved: never empty when it reaches an implementation
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
    std::optional<QPoint> topLeft;  // screen position of the box's upper left corner; none: centred on its window
};

struct FileDialogRequest {
    QString title;
    QString filter;           // Qt form: "Database Files (*.mdb *.MDB)"
    QString initialDir;
    QString fileName;         // proposed name
    QString defaultSuffix;    // added when the typed name has none
    bool overwritePrompt = false;  // save: ask before replacing an existing file
    bool mustExist = false;        // open: only an existing file may be chosen
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The title of every box that names none (the application title).
    void setDefaultTitle(const QString& title) { defaultTitle_ = title; }
    const QString& defaultTitle() const { return defaultTitle_; }

    // A message box; returns one of the mb:: results. An empty title means the default title.
    int msgBox(const QString& text, int style = mb::OKOnly, const QString& title = {});
    // An input box; returns the typed text, or an empty text when the user cancelled.
    QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {},
                     std::optional<QPoint> topLeft = std::nullopt);

    // File dialogs: the chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;

    // Opens a web address, a "mailto:" address or a file with the desktop's associated program.
    virtual bool openLink(const QString& target) = 0;
    // Starts a program detached (it is not waited for).
    virtual bool startProgram(const QString& program, const QStringList& arguments = {}) = 0;

    // The hourglass: nested begin/end pairs; use the Hourglass guard below.
    virtual void beginWait() = 0;
    virtual void endWait() = 0;

protected:
    virtual int showMessage(const MessageRequest& request) = 0;
    virtual QString showInput(const InputRequest& request) = 0;

private:
    QString defaultTitle_;
};

// The one Prompts object of the program. A Qt implementation is installed until something else is.
Prompts& prompts();
// Installs `replacement` (tests install a fake) and returns the previous one, which the caller may put back.
std::unique_ptr<Prompts> installPrompts(std::unique_ptr<Prompts> replacement);
// The real prompts: Qt's dialogs and message boxes.
std::unique_ptr<Prompts> makeQtPrompts();

// Shows the hourglass for its lifetime.
class Hourglass {
public:
    explicit Hourglass(Prompts& p = prompts()) : prompts_(p) { prompts_.beginWait(); }
    ~Hourglass() { prompts_.endWait(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Prompts& prompts_;
};

}  // namespace ui
