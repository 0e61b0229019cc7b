#include "FakePrompts.h"

#include <algorithm>

namespace ui {

QStringList FakePrompts::messageTexts() const {
    QStringList texts;
    for (const auto& m : messages) texts << m.text;
    return texts;
}

void FakePrompts::clearRecords() {
    messages.clear();
    inputs.clear();
    fileDialogs.clear();
    links.clear();
    programs.clear();
}

int FakePrompts::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers_.empty()) return mb::escapeAnswer(request.style);
    const int answer = messageAnswers_.front();
    messageAnswers_.pop_front();
    return answer;
}

QString FakePrompts::showInput(const InputRequest& request) {
    inputs.push_back(request);
    if (inputAnswers_.empty()) return {};
    QString answer = inputAnswers_.front();
    inputAnswers_.pop_front();
    return answer;
}

std::optional<QString> FakePrompts::nextFile(bool save, const FileDialogRequest& request) {
    fileDialogs.push_back({save, request});
    if (fileAnswers_.empty()) return std::nullopt;
    const bool chosen = fileAnswers_.front().has_value();
    const QString path = chosen ? *fileAnswers_.front() : QString();
    fileAnswers_.pop_front();
    if (!chosen) return std::nullopt;
    return path;
}

std::optional<QString> FakePrompts::openFile(const FileDialogRequest& request) { return nextFile(false, request); }
std::optional<QString> FakePrompts::saveFile(const FileDialogRequest& request) { return nextFile(true, request); }

bool FakePrompts::openLink(const QString& target) {
    links.push_back(target);
    return true;
}

bool FakePrompts::startProgram(const QString& program, const QStringList& arguments) {
    programs.push_back({program, arguments});
    return programsStart_;
}

void FakePrompts::beginWait() { maxWaitDepth = std::max(maxWaitDepth, ++waitDepth); }
void FakePrompts::endWait() { --waitDepth; }

}  // namespace ui
