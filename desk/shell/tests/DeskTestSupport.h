#pragma once
// What every shell test needs: its own copy of the database, its own HOME, the scripted prompts, and a clean
// desktop state and window set when it ends.

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

#include "DeskCommands.h"
#include "DesktopState.h"
#include "FakePrompts.h"
#include "TestDatabase.h"
#include "ScopedHome.h"
#include "mdiMain.h"

namespace tally::desk::testing {

// A key pressed and released in the focused widget as an X11 server delivers it: Delete with the text U+007F,
// Backspace with U+0008, Ctrl+letter with its control character (the offscreen platform gives them no text).
inline void pressAsX11(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QString text;
    if (key == Qt::Key_Delete) text = QString(QChar(0x7f));
    else if (key == Qt::Key_Backspace) text = QString(QChar(0x08));
    else if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        text = QString(QChar(key - Qt::Key_A + 1));
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(focused, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(focused, &release);
}

class DeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<ui::FakePrompts>();
        prompts_ = fake.get();
        fake->setDefaultTitle(QStringLiteral("Tallyvane "));
        previous_ = ui::installPrompts(std::move(fake));
        resetState();
    }

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Windows owned by another window go with their owner.
        for (;;) {
            QWidget* owner = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (!w->parentWidget()) owner = w;
            if (!owner) break;
            delete owner;
        }
        resetState();
        ui::installPrompts(std::move(previous_));
    }

    static void resetState() {
        glngCompanyId = 0;
        gstrCompanyName.clear();
        gintDefaultYear = 0;
        gobjHTMLHelp.reset();
        gblnFromCompanyPicker = false;
        gblnEditAsset = false;
        deskCommands() = DeskCommands{};
    }

    // Runs `action` on the next modal dialog once it is up (polling, since exec() blocks the test).
    static void onNextModal(std::function<void(QDialog&)> action) {
        auto* timer = new QTimer(qApp);
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, [timer, tries, action = std::move(action)] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                action(*dialog);
            } else if (++*tries > 200) {
                timer->stop();
                timer->deleteLater();
                ADD_FAILURE() << "no modal dialog appeared";
            }
        });
        timer->start(5);
    }

    void exec(const std::string& sql) const { database_.exec(sql); }

    tally::testing::TestDatabase database_;
    tally::testing::ScopedHome home_;
    ui::FakePrompts* prompts_ = nullptr;

private:
    std::unique_ptr<ui::Prompts> previous_;
};

}  // namespace tally::desk::testing
