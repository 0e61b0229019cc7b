#pragma once
// The most characters the user may put into a box, by typing or by pasting (Ctrl+V, Shift+Insert, the context
// menu, a middle click, a drop). QLineEdit's own maxLength would also cut a text the program puts in, so a stored
// text longer than the box takes would load shortened and be saved so; under this limit it loads and saves
// unchanged, and the user may shorten it but not lengthen it. A box with an input mask is bounded by its mask.

#include <QObject>
#include <QString>

class QLineEdit;

namespace ui {

class TypingLimit : public QObject {
    Q_OBJECT
public:
    // Sets or changes the box's limit; 0 or less lifts it.
    static void set(QLineEdit& edit, int limit);
    // The box's limit, 0 when it has none.
    static int of(const QLineEdit& edit);
    // Whether `added` characters typed in place of the selection would take the text beyond the limit.
    static bool refuses(const QLineEdit& edit, int added = 1);

private:
    TypingLimit(QLineEdit& edit, int limit);
    static TypingLimit* find(const QLineEdit& edit);
    // What the user's change put beyond the limit is taken out again, from the end of what it inserted.
    void cutExcess();

    QLineEdit& edit_;
    int limit_;
    QString before_;  // the text before the user's change
};

}  // namespace ui
