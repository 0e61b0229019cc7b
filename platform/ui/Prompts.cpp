#include "Prompts.h"

namespace ui {

namespace mb {
int escapeAnswer(int style) {
    switch (buttonsOf(style)) {
    case OKOnly: return OK;
    case AbortRetryIgnore: return Abort;
    case YesNo: return No;
    default: return Cancel;  // OKCancel, YesNoCancel, RetryCancel
    }
}
}  // namespace mb

int Prompts::msgBox(const QString& text, int style, const QString& title) {
    return showMessage({text, style, title.isEmpty() ? defaultTitle_ : title});
}

QString Prompts::inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                          std::optional<QPoint> topLeft) {
    return showInput({prompt, title.isEmpty() ? defaultTitle_ : title, defaultText, topLeft});
}

namespace {
std::unique_ptr<Prompts>& installed() {
    static std::unique_ptr<Prompts> instance = makeQtPrompts();
    return instance;
}
}  // namespace

Prompts& prompts() { return *installed(); }

std::unique_ptr<Prompts> installPrompts(std::unique_ptr<Prompts> replacement) {
    if (!replacement) replacement = makeQtPrompts();
    if (replacement->defaultTitle().isEmpty()) replacement->setDefaultTitle(installed()->defaultTitle());
    installed().swap(replacement);
    return replacement;
}

}  // namespace ui
