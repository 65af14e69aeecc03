// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/options/esettings.h"
#include "gui/main/mainwindow.h"
#include "support/testenv.h"
#include "gui/main/traycheck.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

// Helpers for the tests that drive the program's windows.
namespace WidgetTest {

template <typename T = QWidget> T* Child(const QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found) {
        qFatal("no widget %s", name);
    }
    return found;
}

inline void Click(const QObject* parent, const char* name)
{
    QTest::mouseClick(Child<QAbstractButton>(parent, name), Qt::LeftButton);
}

inline void ClickBox(const QObject* dialog, QDialogButtonBox::StandardButton which)
{
    QTest::mouseClick(Child<QDialogButtonBox>(dialog, "buttonBox")->button(which), Qt::LeftButton);
}

inline void Trigger(const QObject* window, const char* action)
{
    Child<QAction>(window, action)->trigger();
}

// Runs `answer` on the next modal widget of type T once it is up; nothing waits for a person.
template <typename T = QWidget, typename F> void WhenModal(F answer)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, answer]() {
        auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!modal) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

// Answers the next message box with `which`, keeping its text when asked.
inline void AnswerBox(QMessageBox::StandardButton which, QString* text = nullptr)
{
    WhenModal<QMessageBox>([which, text](QMessageBox* box) {
        if (text) {
            *text = box->text();
        }
        QTest::mouseClick(box->button(which), Qt::LeftButton);
    });
}

// The tray menu's action with this text.
inline QAction* TrayAction(const MainWindow* window, const QString& text)
{
    for (QAction* a : window->TrayIcon()->contextMenu()->actions()) {
        if (a->text() == text) {
            return a;
        }
    }
    qFatal("no tray action %s", qPrintable(text));
}

inline QTableWidget* Table(const QObject* window)
{
    return Child<QTableWidget>(window, "tableWidget");
}

inline QStringList Titles(const QObject* window)
{
    QTableWidget* table = Table(window);
    QStringList titles;
    for (int row = 0; row < table->rowCount(); ++row) {
        titles << table->item(row, 0)->text();
    }
    return titles;
}

inline void ClickRow(const QObject* window, int row)
{
    QTableWidget* table = Table(window);
    const QRect cell = table->visualItemRect(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

inline QDateTime At(int y, int mo, int d, int h, int mi)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

// A repeating-by-days event (0: once) with its picture in the program's data folder.
inline AffairInfo Event(const QString& id, const QString& title, const QDateTime& first, qint32 days)
{
    AffairInfo record;
    record.SetInfo(id, title, first, 0, 0, days, 0, 0);
    record.SetPicPath(QStringLiteral("./data/dap") + id);
    record.SetEffect({0, 0});
    return record;
}

// Stores the events and gives each a picture file of its own.
inline void SaveEvents(const QList<AffairInfo>& events)
{
    QDir().mkpath(QStringLiteral("data"));
    AffairList list;
    for (const AffairInfo& record : events) {
        list.AppendAffair(record);
        TestEnv::writeAll(record.GetPicPath(), "picture of " + record.GetAffairTitle().toUtf8());
    }
    QVERIFY(AffairStore(AffairStore::DefaultPath()).SaveAffairs(list));
}

inline void SaveOptions(bool delReminder, const QString& effective = QStringLiteral("rgb(0,0,255)"),
                        const QString& expired = QStringLiteral("rgb(255,0,0)"))
{
    ESettings options;
    options.SetDelReminder(delReminder);
    options.SetEffectiveColor(effective);
    options.SetExpiredColor(expired);
    QVERIFY(options.SaveOptions());
}

// A scratch folder as the current directory, a config home of its own (for the autostart
// entry), "now" at 2030-01-15 12:00 UTC and a tray, all undone when it goes.
class Sandbox
{
public:
    explicit Sandbox(bool tray = true)
    {
        TestEnv::setTimeZone("UTC");
        qputenv("XDG_CONFIG_HOME", Config.path().toLocal8Bit());
        Clock::setMock(At(2030, 1, 15, 12, 0));
        TrayCheck::SetOverride(tray);
    }
    ~Sandbox()
    {
        // Windows deleted later must go before their folder does.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TrayCheck::SetOverride(std::nullopt);
        Clock::reset();
    }
    QString AutoStartEntry() const { return Config.filePath(QStringLiteral("autostart/Pennibell.desktop")); }

private:
    TestEnv::ScratchDir Scratch;
    QTemporaryDir Config;
};

inline std::unique_ptr<MainWindow> StartWindow(bool minStart = false)
{
    auto window = std::make_unique<MainWindow>();
    window->InitWindow();
    window->ShowAtStart(minStart);
    return window;
}

} // namespace WidgetTest
