// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/reminderbook.h"
#include "core/options/options.h"
#include "gui/main/mainwindow.h"
#include "mock/MockClock.h"
#include "support/eventbuilder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>

// Helpers for the tests that drive the program's windows.
namespace WidgetTest {
using namespace EventBuilder;

template <typename T = QWidget> T* Child(const QObject* parent, const char* name)
{
    // A misspelt name crashes the test at once, which is failure enough.
    return parent->findChild<T*>(QString::fromLatin1(name));
}

inline void Click(const QObject* parent, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(parent, name), Qt::LeftButton);
}

inline void ClickBox(const QObject* dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(Child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
}

// A modal window nobody answers (none was expected, or the answer did not close it) would wait
// for a person for ever: one up for 10 s fails the test and every modal window is closed,
// innermost first, and after that any other within half a second, so that a fault in every case
// still ends the run soon. Once per run.
inline void GuardModals()
{
    static QTimer* guard = nullptr;
    if (guard) {
        return;
    }
    guard = new QTimer(QCoreApplication::instance());
    guard->setInterval(250);
    QElapsedTimer since;
    QObject::connect(guard, &QTimer::timeout, [since, seen = QPointer<QWidget>(), failed = false]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal != seen) {
            seen = modal;
            since.start();
        } else if (since.hasExpired(failed ? 500 : 10000)) {
            failed = true;
            QTest::qFail("a modal window nobody answered stayed up", __FILE__, __LINE__);
            for (int i = 0; i < 10 && (modal = QApplication::activeModalWidget()); ++i) {
                auto* dialog = qobject_cast<QDialog*>(modal);
                dialog ? dialog->reject() : void(modal->close());
            }
        }
    });
    guard->start();
}

// Runs `answer` on the next modal widget of type T once it is up; nothing waits for a person.
// One that never comes is forgotten with the Sandbox.
template <typename T = QWidget, typename F> void WhenModal(F answer)
{
    GuardModals();
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setObjectName(QStringLiteral("WhenModal"));
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer]() {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(modal);
        }
    });
    poll->start();
}

// Runs `dialog` as the program does; `act` works it and presses its buttons.
template <typename T, typename F> int Exec(T& dialog, F act)
{
    WhenModal<T>(act);
    return dialog.exec();
}

// Answers the next message box with `which`, keeping its text.
inline void AnswerBox(QMessageBox::StandardButton which, QString* text = nullptr)
{
    WhenModal<QMessageBox>([which, text](QMessageBox* box) {
        if (text) {
            *text = box->text();
        }
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    });
}

// A scratch folder as the current directory, a config home of its own (for the autostart
// entry) and "now" at 2030-01-15 12:00 UTC, all undone when it goes.
class Sandbox
{
public:
    Sandbox()
    {
        TestEnv::setTimeZone("UTC");
        qputenv("XDG_CONFIG_HOME", Config.path().toLocal8Bit());
        MockClock::set(At(2030, 1, 15, 12, 0));
        GuardModals();
    }
    ~Sandbox()
    {
        qDeleteAll(QCoreApplication::instance()->findChildren<QTimer*>(QStringLiteral("WhenModal")));
        // Windows deleted later must go before their folder does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MockClock::reset();
    }

private:
    TestEnv::ScratchDir Scratch;
    QTemporaryDir Config;
};

// The program as main() builds it, on the sandbox's files.
struct Program
{
    Options options;
    ReminderBook book;
    std::unique_ptr<MainWindow> window;
    MainWindow* get() const { return window.get(); }
};

inline std::unique_ptr<Program> StartWindow(bool shown = true)
{
    auto program = std::make_unique<Program>();
    program->book.Load();
    program->window = std::make_unique<MainWindow>(program->book, program->options);
    program->book.Start();
    if (shown) {
        program->window->ShowAtStart(false);
    }
    return program;
}

} // namespace WidgetTest
