// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/sync/resourcecodec.h"
#include "core/sync/syncbook.h"

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

// Stand-ins for the sync tests: a plain iCalendar codec, a book in memory, and a Radicale server.
namespace SyncKit {

// Writes the few properties the sync carries; refuses anything with a recurrence rule. Numbers are
// kept apart by "/": a server may escape ";" and "," in the text of properties it does not know.
class PlainCodec : public ResourceCodec
{
public:
    QString UidFor(const AffairInfo& record) const override
    {
        return QStringLiteral("pennibell-") + record.GetAffairID();
    }
    QByteArray Encode(const AffairInfo& record, const QImage& picture, const QString& uid) const override
    {
        const AffairPeriod p = record.GetPeriod();
        const EffectChoice e = record.GetEffect();
        QString summary = record.GetAffairTitle();
        summary.replace(QLatin1String("\\"), QLatin1String("\\\\"))
            .replace(QLatin1String(";"), QLatin1String("\\;"))
            .replace(QLatin1String(","), QLatin1String("\\,"))
            .replace(QLatin1String("\n"), QLatin1String("\\n"));
        QByteArray text =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Pennibell tests//EN\r\nBEGIN:VEVENT\r\n";
        text += "UID:" + uid.toUtf8() + "\r\nDTSTAMP:20240101T000000Z\r\n";
        text += "DTSTART:" + record.GetUserDateTime().toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toUtf8() +
                "\r\n";
        text += "SUMMARY:" + summary.toUtf8() + "\r\n";
        text += QStringLiteral("X-PENNIBELL-PERIOD:%1/%2/%3/%4/%5\r\n")
                    .arg(p.year)
                    .arg(p.month)
                    .arg(p.day)
                    .arg(p.hour)
                    .arg(p.minute)
                    .toUtf8();
        text += QStringLiteral("X-PENNIBELL-EFFECT:%1/%2\r\n").arg(int(e.kind)).arg(e.direction).toUtf8();
        if (!picture.isNull()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            picture.save(&buffer, "PNG");
            const QByteArray line = "ATTACH;FMTTYPE=image/png;ENCODING=BASE64;VALUE=BINARY:" + png.toBase64();
            for (int i = 0; i < line.size(); i += 74) {
                text += (i ? " " : "") + line.mid(i, 74) + "\r\n";
            }
        }
        text += "END:VEVENT\r\nEND:VCALENDAR\r\n";
        return text;
    }
    bool Decode(const QByteArray& text, Decoded* out, QString* reason) const override
    {
        QByteArray unfolded = text;
        unfolded.replace("\r\n ", "").replace("\n ", "").replace("\r\n\t", "").replace("\n\t", "");
        QHash<QByteArray, QByteArray> props;
        for (const QByteArray& raw : unfolded.split('\n')) {
            const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
            const int colon = line.indexOf(':');
            if (colon > 0) {
                props.insert(line.left(colon).split(';').first().toUpper(), line.mid(colon + 1));
            }
        }
        if (props.contains("RRULE")) {
            *reason = QStringLiteral("repeats by a rule");
            return false;
        }
        if (!props.contains("UID") || !props.contains("DTSTART")) {
            *reason = QStringLiteral("no start");
            return false;
        }
        QString summary = QString::fromUtf8(props.value("SUMMARY"));
        summary.replace(QLatin1String("\\n"), QLatin1String("\n"))
            .replace(QLatin1String("\\,"), QLatin1String(","))
            .replace(QLatin1String("\\;"), QLatin1String(";"))
            .replace(QLatin1String("\\\\"), QLatin1String("\\"));
        const QList<QByteArray> p = props.value("X-PENNIBELL-PERIOD", "0/0/0/0/0").split('/');
        const QList<QByteArray> e = props.value("X-PENNIBELL-EFFECT", "0/0").split('/');
        const QDateTime start = QDateTime::fromString(QString::fromLatin1(props.value("DTSTART")),
                                                      QStringLiteral("yyyyMMdd'T'HHmmss"));
        out->record.SetInfo(QString(), summary, start, p.value(0).toInt(), p.value(1).toInt(),
                            p.value(2).toInt(), p.value(3).toInt(), p.value(4).toInt());
        out->record.SetEffect(EffectChoice::FromCodesOrDefault(e.value(0).toInt(), e.value(1).toInt()));
        out->uid = QString::fromUtf8(props.value("UID"));
        out->picture = QImage();
        if (props.contains("ATTACH")) {
            out->picture.loadFromData(QByteArray::fromBase64(props.value("ATTACH")), "PNG");
        }
        return true;
    }
};

// One computer's events, each with its picture.
class MemoryBook : public SyncBook
{
public:
    QList<AffairInfo> Events() const override { return List; }
    std::optional<AffairInfo> Find(const QString& id) const override
    {
        for (const AffairInfo& r : List) {
            if (r.GetAffairID() == id) {
                return r;
            }
        }
        return std::nullopt;
    }
    QImage Picture(const AffairInfo& record) const override { return Pictures.value(record.GetAffairID()); }
    bool Add(const AffairInfo& record, const QImage& picture, QString* id, QString*) override
    {
        AffairInfo r = record;
        *id = QStringLiteral("e%1").arg(++Counter) + Prefix;
        r.SetAffairID(*id);
        List.append(r);
        Pictures.insert(*id, picture.convertToFormat(QImage::Format_RGB16));
        return true;
    }
    bool Replace(const QString& id, const AffairInfo& record, const QImage& picture, QString*) override
    {
        for (AffairInfo& r : List) {
            if (r.GetAffairID() == id) {
                r = record;
                r.SetAffairID(id);
                Pictures.insert(id, picture.convertToFormat(QImage::Format_RGB16));
                return true;
            }
        }
        return false;
    }
    bool Remove(const QString& id, QString*) override
    {
        for (int i = 0; i < List.size(); ++i) {
            if (List.at(i).GetAffairID() == id) {
                List.removeAt(i);
                Pictures.remove(id);
                return true;
            }
        }
        return false;
    }
    // Adds an event titled `title` with a small picture of `color`.
    QString AddEvent(const QString& title, Qt::GlobalColor color = Qt::red)
    {
        AffairInfo r;
        r.SetInfo(QString(), title, QDateTime(QDate(2030, 1, 2), QTime(9, 30)), 0, 0, 1, 0, 0);
        r.SetEffect({EffectChoice::Spread, EffectChoice::Left});
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(color);
        QString id;
        Add(r, picture, &id, nullptr);
        return id;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (const AffairInfo& r : List) {
            titles.append(r.GetAffairTitle());
        }
        titles.sort();
        return titles;
    }

    QString Prefix; // tells the computers' identifiers apart
    QList<AffairInfo> List;
    QHash<QString, QImage> Pictures;
    int Counter = 0;
};

// A free port on the loopback address.
inline quint16 FreePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Debian's Radicale on a free local port, with its own storage and the user alice/secret.
class Radicale
{
public:
    static QString Program() { return QStandardPaths::findExecutable(QStringLiteral("radicale")); }

    explicit Radicale(QString storage = QString())
        : Storage(storage.isEmpty() ? Dir.filePath("storage") : storage)
    {
        TestEnvWrite(Dir.filePath("users"), "alice:secret\n");
    }
    ~Radicale() { Stop(); }

    bool Start()
    {
        if (!Port) {
            Port = FreePort();
        }
        Process.setProcessChannelMode(QProcess::MergedChannels);
        Process.start(Program(), {QStringLiteral("--server-hosts=127.0.0.1:%1").arg(Port),
                                  QStringLiteral("--storage-filesystem-folder=") + Storage,
                                  QStringLiteral("--auth-type=htpasswd"),
                                  QStringLiteral("--auth-htpasswd-filename=") + Dir.filePath("users"),
                                  QStringLiteral("--auth-htpasswd-encryption=plain"),
                                  QStringLiteral("--logging-level=warning")});
        if (!Process.waitForStarted(5000)) {
            return false;
        }
        QDeadlineTimer deadline(15000);
        while (!deadline.hasExpired()) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, Port);
            if (socket.waitForConnected(200)) {
                return true;
            }
            if (Process.state() != QProcess::Running) {
                return false;
            }
            QTest::qWait(50);
        }
        return false;
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
    static void TestEnvWrite(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir Dir;
    QString Storage;
    QProcess Process;
    quint16 Port = 0;
};

} // namespace SyncKit

#include "core/sync/passwordkeeper.h"
#include "core/sync/syncsession.h"

#include <QEventLoop>
#include <QTimer>

namespace SyncKit {

// One computer: its events, its sync state file and its own connection.
struct Computer
{
    explicit Computer(const QString& name, const QUrl& collection) : StatePath(Folder.filePath("sync.json"))
    {
        Book.Prefix = name;
        State.collection = collection;
        Client.SetCredentials(QStringLiteral("alice"), QStringLiteral("secret"));
        Client.SetTimeout(10000);
    }
    // Runs one sync to its end, at most 20 s unless told.
    SyncResult Sync(bool allowManyRemovals = false, int timeoutMs = 20000)
    {
        SyncSession session(&Client, &Book, &Codec, &State, StatePath);
        SyncResult result;
        result.outcome = SyncResult::Outcome::Refused;
        result.message = QStringLiteral("timed out");
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

    QTemporaryDir Folder;
    QString StatePath;
    MemoryBook Book;
    PlainCodec Codec;
    SyncState State;
    DavClient Client;
};

} // namespace SyncKit

namespace SyncKit {

// A keyring in memory; `broken` stands for a desktop without one.
class KeeperDouble : public PasswordKeeper
{
public:
    void Read(const QString& account, const Done& done) override
    {
        Later([=] {
            broken ? done(false, {}, QStringLiteral("no keyring")) : done(true, Kept.value(account), {});
        });
    }
    void Write(const QString& account, const QString& password, const Done& done) override
    {
        Later([=] {
            if (!broken) {
                Kept.insert(account, password);
            }
            done(!broken, {}, broken ? QStringLiteral("no keyring") : QString());
        });
    }
    void Forget(const QString& account, const Done& done) override
    {
        Later([=] {
            Kept.remove(account);
            done(true, {}, {});
        });
    }

    QHash<QString, QString> Kept;
    bool broken = false;

private:
    static void Later(const std::function<void()>& f) { QTimer::singleShot(0, f); }
};

} // namespace SyncKit
