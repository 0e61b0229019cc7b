#pragma once
// Scripted prompts for tests: answers are queued in advance and every call is recorded. A box without a queued
// answer gives the answer of its escape button (OK for an OK-only box, Cancel or No for a question), an input box
// an empty text, a file dialog a cancel; links and programs are only recorded, never opened.

#include <deque>
#include <optional>
#include <vector>

#include "Prompts.h"

namespace ui {

class FakePrompts final : public Prompts {
public:
    struct FileCall {
        bool save = false;
        FileDialogRequest request;
    };
    struct ProgramCall {
        QString program;
        QStringList arguments;
    };

    // Answers, used first in, first out.
    void answerMessage(int answer) { messageAnswers_.push_back(answer); }
    void answerInput(const QString& text) { inputAnswers_.push_back(text); }
    void answerFile(std::optional<QString> path) { fileAnswers_.push_back(std::move(path)); }
    void setProgramsStart(bool started) { programsStart_ = started; }

    // What was asked.
    std::vector<MessageRequest> messages;
    std::vector<InputRequest> inputs;
    std::vector<FileCall> fileDialogs;
    std::vector<QString> links;
    std::vector<ProgramCall> programs;
    int waitDepth = 0;
    int maxWaitDepth = 0;

    // Texts of every box shown so far, in order.
    QStringList messageTexts() const;
    void clearRecords();

    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    bool openLink(const QString& target) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    void beginWait() override;
    void endWait() override;

protected:
    int showMessage(const MessageRequest& request) override;
    QString showInput(const InputRequest& request) override;

private:
    std::optional<QString> nextFile(bool save, const FileDialogRequest& request);

    std::deque<int> messageAnswers_;
    std::deque<QString> inputAnswers_;
    std::deque<std::optional<QString>> fileAnswers_;
    bool programsStart_ = true;
};

}  // namespace ui
