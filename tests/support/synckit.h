// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/calendarcodec.h"
#include "core/effects/effectcodes.h"
#include "core/events/reminderbook.h"
#include "core/sync/booksync.h"
#include "core/sync/passwordkeeper.h"
#include "core/sync/syncsession.h"
#include "support/testenv.h"

#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// For the sync tests and bench: Radicale, and computers that are whole data folders with the
// program's own book and iCalendar mapping.
namespace SyncKit {

// Debian's Radicale on a free local port, with its own storage and the user alice/secret.
class Radicale
{
public:
    static QString Program() { return QStandardPaths::findExecutable(QStringLiteral("radicale")); }

    Radicale() { TestEnv::writeAll(Dir.filePath("users"), "alice:secret\n"); }
    ~Radicale() { Stop(); }

    bool Start()
    {
        if (!Port) {
            QTcpServer probe; // gone before the server starts, so that the port is free for it
            probe.listen(QHostAddress::LocalHost, 0);
            Port = probe.serverPort();
        }
        Process.setProcessChannelMode(QProcess::MergedChannels);
        Process.start(Program(), {QStringLiteral("--server-hosts=127.0.0.1:%1").arg(Port),
                                  QStringLiteral("--storage-filesystem-folder=") + Dir.filePath("storage"),
                                  QStringLiteral("--auth-type=htpasswd"),
                                  QStringLiteral("--auth-htpasswd-filename=") + Dir.filePath("users"),
                                  QStringLiteral("--auth-htpasswd-encryption=plain"),
                                  QStringLiteral("--logging-level=warning")});
        const auto up = [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, Port);
            return socket.waitForConnected(200) || Process.state() != QProcess::Running;
        };
        // Up once it takes connections; a failed start ends the wait at once.
        return Process.waitForStarted(5000) && QTest::qWaitFor(up, 15000) &&
               Process.state() == QProcess::Running;
    }
    void Stop()
    {
        if (Process.state() != QProcess::NotRunning) {
            Process.kill();
            Process.waitForFinished(5000);
        }
    }
    QUrl Url(const QString& path = QString()) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(Port) + path);
    }

private:
    QTemporaryDir Dir;
    QProcess Process;
    quint16 Port = 0;
};

// One computer: a data folder of its own, entered for everything done on it (the program keeps
// its pictures relative to the current folder), its sync state and its own connection.
struct Computer
{
    explicit Computer(const QUrl& collection)
        : StatePath(Folder.filePath("sync.json")),
          Book(Folder.filePath("events.eda"), Folder.filePath("run.ini")), Side(&Book)
    {
        QDir(Folder.path()).mkpath(QStringLiteral("data"));
        State.collection = collection;
        Client.SetCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
        Client.SetTimeout(10000);
    }
    void Enter() const { QDir::setCurrent(Folder.path()); }

    // Runs one sync to its end, at most 20 s unless told.
    SyncResult Sync(bool allowManyRemovals = false, int timeoutMs = 20000)
    {
        Enter();
        SyncSession session(&Client, &Side, &Codec, &State, StatePath);
        SyncResult result{SyncResult::Outcome::Refused, QStringLiteral("timed out")};
        QEventLoop loop;
        QObject::connect(&session, &SyncSession::finished, &loop, [&](const SyncResult& r) {
            result = r;
            loop.quit();
        });
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        session.Start(allowManyRemovals);
        loop.exec();
        Client.AbortAll();
        return result;
    }

    // An event with a drawing: a few strokes of `color` on white, as users draw them.
    QString AddEvent(const QString& title, const QColor& color = Qt::red, QSize size = {40, 30},
                     int effect = 5)
    {
        Enter();
        AffairInfo r;
        r.SetInfo(QString(), title, QDateTime(QDate(2030, 1, 2), QTime(9, 30)), 0, 0, 1, 0, 0);
        r.SetEffect(EffectCodes::Choice(effect));
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setPen(QPen(color, 5));
        const int seed = int(qHash(title));
        for (int s = 0; s < 6; ++s) {
            painter.drawLine((seed + s * 53) % size.width(), (s * 91) % size.height(),
                             (seed / 7 + s * 71) % size.width(), (seed / 3 + s * 29) % size.height());
        }
        painter.end();
        QString id;
        Book.Add(r, picture, &id);
        return id;
    }
    void Retitle(const QString& title, const QString& next)
    {
        Enter();
        AffairInfo r = *ByTitle(title);
        const AffairPeriod p = r.GetPeriod();
        r.SetInfo(r.GetAffairID(), next, r.GetUserDateTime(), p.year, p.month, p.day, p.hour, p.minute);
        QVERIFY(Book.Replace(r.GetAffairID(), r));
    }
    void Remove(const QString& title)
    {
        Enter();
        QVERIFY(Book.Remove(ByTitle(title)->GetAffairID()));
    }
    std::optional<AffairInfo> ByTitle(const QString& title) const
    {
        const QList<AffairInfo> all = Side.Events();
        const auto it = std::find_if(all.cbegin(), all.cend(),
                                     [&](const AffairInfo& r) { return r.GetAffairTitle() == title; });
        return it == all.cend() ? std::nullopt : std::optional<AffairInfo>(*it);
    }
    QImage Picture(const AffairInfo& record) const
    {
        Enter();
        return Side.Picture(record);
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (const AffairInfo& r : Side.Events()) {
            titles.append(r.GetAffairTitle());
        }
        titles.sort();
        return titles;
    }

    QTemporaryDir Folder;
    QString StatePath;
    ReminderBook Book;
    BookSync Side;
    CalendarCodec Codec;
    SyncState State;
    DavClient Client;
};

// A keyring in memory; `broken` stands for a desktop without one.
class KeeperDouble : public PasswordKeeper
{
public:
    void Read(const QString& a, const Done& done) override
    {
        Later([=] { done(!broken, Kept.value(a), Why()); });
    }
    void Write(const QString& a, const QString& password, const Done& done) override
    {
        Later([=] {
            if (!broken) {
                Kept.insert(a, password);
            }
            done(!broken, {}, Why());
        });
    }
    void Forget(const QString&, const Done& done) override
    {
        Later([=] { done(true, {}, {}); });
    }

    QHash<QString, QString> Kept;
    bool broken = false;

private:
    QString Why() const { return broken ? QStringLiteral("no keyring") : QString(); }
    static void Later(const std::function<void()>& f) { QTimer::singleShot(0, f); }
};

} // namespace SyncKit
