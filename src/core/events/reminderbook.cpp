// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/events/reminderbook.h"

#include "core/calendar/picturepngcache.h"
#include "core/events/affairstore.h"
#include "core/events/clock.h"
#include "core/events/localtime.h"
#include "core/events/nextreminder.h"
#include "core/picture/picturefile.h"
#include "core/storage/backuparchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTimer>
#include <utility>

namespace {
// A tick lands this long after the whole second, so that the second has surely turned.
constexpr int TickSlackMs = 5;
// The wall clock may move this far from the monotonic clock between two ticks before the move
// counts as a jump (a timer that fires late is not one).
constexpr qint64 JumpMs = 2500;

QSet<QString> PicturesOf(const AffairList& list)
{
    QSet<QString> paths;
    for (int i = 0; i < list.Count(); ++i) {
        paths.insert(list.At(i).GetPicPath());
    }
    return paths;
}
} // namespace

ReminderBook::ReminderBook(QObject* parent)
    : ReminderBook(AffairStore::DefaultPath(), LastRunning::DefaultPath(), parent)
{
}

ReminderBook::ReminderBook(const QString& storePath, const QString& lastRunPath, QObject* parent)
    : QObject(parent), StorePath(storePath), Running(lastRunPath)
{
}

ReminderBook::~ReminderBook() = default;

bool ReminderBook::Load(QString* error)
{
    AffairStore store(StorePath);
    AffairList loaded;
    const bool ok = store.Load(&loaded, error);
    List = loaded;
    List.RearmAll(Clock::now());
    if (ok) {
        RemoveOrphanPictures();
    }
    emit eventsChanged();
    emit nextChanged();
    return ok;
}

void ReminderBook::RemoveOrphanPictures()
{
    // A kill between saving a list without an event and removing that event's picture leaves the
    // picture behind; only after a load that read the whole list is it known to be no one's.
    const QSet<QString> named = PicturesOf(List);
    const QDir data(QFileInfo(StorePath).absolutePath());
    const QStringList files = data.entryList({QStringLiteral("dap*")}, QDir::Files | QDir::System);
    for (const QString& name : files) {
        const QString path = QStringLiteral("./data/") + name;
        if (PictureFile::IsProgramPath(path) && !named.contains(path)) {
            QFile::remove(data.filePath(name));
        }
    }
}

void ReminderBook::PrimePictures()
{
    // Only the running program makes them: a command that edits the store and ends at once
    // should neither wait for nor leave behind a thread.
    if (!Timer) {
        ToPrime.clear();
        return;
    }
    for (const QString& path : std::as_const(ToPrime)) {
        if (PictureFile::IsProgramPath(path)) {
            Priming.append(path);
        }
    }
    ToPrime.clear();
    if (Priming.isEmpty()) {
        return;
    }
    // Once the book has been quiet a moment: a script's burst of commands should not find the
    // processor busy with pictures no export has asked for yet.
    if (!PrimeTimer) {
        PrimeTimer = new QTimer(this);
        PrimeTimer->setSingleShot(true);
        connect(PrimeTimer, &QTimer::timeout, this,
                [this] { PicturePngCache::Prime(std::exchange(Priming, {})); });
    }
    PrimeTimer->start(PrimeQuietMs);
}

void ReminderBook::Start()
{
    const qint64 now = Clock::nowSecs();
    if (const std::optional<qint64> last = Running.Recorded()) {
        Missed = MissedReminders::Between(List, *last, now);
    }
    // Like the occurrences, a snooze that came while the program was away is listed, not shown.
    if (!List.TakeSnoozed(now).isEmpty()) {
        Save(nullptr);
    }
    Running.Mark(now, true);
    LastTickMs = Clock::now().toMSecsSinceEpoch();
    Monotonic.start();
    if (!Timer) {
        Timer = new QTimer(this);
        Timer->setSingleShot(true);
        // Coarse timers may drift past a whole second, and a tick that skips the due second
        // only catches the occurrence late.
        Timer->setTimerType(Qt::PreciseTimer);
        connect(Timer, &QTimer::timeout, this, &ReminderBook::Tick);
    }
    ScheduleTick();
    // Pictures from before the cache of calendar PNGs, or a cache the user emptied.
    ToPrime = PicturesOf(List).values();
    PrimePictures();
    emit nextChanged();
}

void ReminderBook::Stop()
{
    if (Timer) {
        Timer->stop();
    }
    Running.Mark(Clock::nowSecs(), true);
}

void ReminderBook::ScheduleTick()
{
    if (!Timer) {
        return;
    }
    // Just after the clock's next whole second, worked out anew each time, so neither timer
    // drift nor a suspended machine moves the ticks away from the seconds.
    const qint64 ms = Clock::now().toMSecsSinceEpoch();
    Timer->start(int(1000 - (ms % 1000 + 1000) % 1000) + TickSlackMs);
}

std::optional<AffairInfo> ReminderBook::Find(const QString& id) const
{
    if (id.isEmpty()) {
        return std::nullopt;
    }
    const AffairInfo record = List.FindAffair(id);
    if (record.GetAffairID().isEmpty()) {
        return std::nullopt;
    }
    return record;
}

std::optional<AffairInfo> ReminderBook::NextDue() const
{
    qint64 at = 0;
    const int index = NextReminder::First(List, &at);
    if (index < 0) {
        return std::nullopt;
    }
    return List.At(index);
}

std::optional<QDateTime> ReminderBook::NextDueTime() const
{
    qint64 at = 0;
    if (NextReminder::First(List, &at) < 0) {
        return std::nullopt;
    }
    return LocalTime::FromSecs(at);
}

QString ReminderBook::ToolTip() const
{
    const QString next = NextReminder::ToolTip(List, Clock::now());
    const QString waiting = Dispatcher.Hold().ToolTipLine(Dispatcher.HeldCount());
    return waiting.isEmpty() ? next : next + QLatin1Char('\n') + waiting;
}

void ReminderBook::SetHeld(const QString& reason, bool held)
{
    const bool before = Held();
    const AffairInfo next = Dispatcher.SetHeld(reason, held);
    if (!next.GetAffairID().isEmpty()) {
        Put(next, false);
    } else if (Held() != before) {
        emit nextChanged();
    }
}

QList<MissedReminders::Entry> ReminderBook::TakeMissed()
{
    QList<MissedReminders::Entry> missed;
    missed.swap(Missed);
    return missed;
}

bool ReminderBook::Save(QString* error)
{
    AffairStore store(StorePath);
    return store.SaveAffairs(List, error);
}

bool ReminderBook::Commit(const AffairList& before, QString* error)
{
    // A batch saves once, at its end.
    if (Batching) {
        return true;
    }
    if (!Save(error)) {
        List = before;
        ToPrime.clear();
        return false;
    }
    PrimePictures();
    emit eventsChanged();
    emit nextChanged();
    return true;
}

bool ReminderBook::Add(AffairInfo record, QString* id, QString* error)
{
    if (List.Count() >= AffairStore::MaxEvents) {
        if (error) {
            *error = tr("Pennibell keeps at most %n events; delete some before adding more.", nullptr,
                        AffairStore::MaxEvents);
        }
        return false;
    }
    const AffairList before = List;
    record.SetSnooze(0);
    record.Rearm(Clock::now());
    const QString given =
        record.GetAffairID().isEmpty() ? LocalTime::ToIso(Clock::now()) : record.GetAffairID();
    record.SetAffairID(given);
    List.AppendAffair(record);
    ToPrime.append(record.GetPicPath());
    // The list moves a taken identifier on to the next free second: the new one is the last.
    const QString added = List.At(List.Count() - 1).GetAffairID();
    if (!Commit(before, error)) {
        return false;
    }
    if (id) {
        *id = added;
    }
    return true;
}

bool ReminderBook::Add(AffairInfo record, const QImage& picture, QString* id, QString* error)
{
    if (List.Count() >= AffairStore::MaxEvents) {
        return Add(record, id, error);
    }
    const QString path = PictureFile::NewPath(Clock::now());
    if (path.isEmpty() || !PictureFile::Write(path, picture, error)) {
        if (error && error->isEmpty()) {
            *error = tr("The picture could not be saved.");
        }
        return false;
    }
    record.SetPicPath(path);
    if (!Add(record, id, error)) {
        PictureFile::Remove(path);
        return false;
    }
    if (Batching) {
        BatchPictures.append(path);
    }
    return true;
}

void ReminderBook::BeginBatch()
{
    if (!Batching) {
        Batching = true;
        BatchStart = List;
        BatchPictures.clear();
    }
}

bool ReminderBook::EndBatch(QString* error)
{
    if (!Batching) {
        return true;
    }
    Batching = false;
    if (!Save(error)) {
        List = BatchStart;
        ToPrime.clear();
        for (const QString& path : std::as_const(BatchPictures)) {
            PictureFile::Remove(path);
        }
        return false;
    }
    PrimePictures();
    emit eventsChanged();
    emit nextChanged();
    return true;
}

void ReminderBook::AbortBatch()
{
    if (!Batching) {
        return;
    }
    Batching = false;
    List = BatchStart;
    ToPrime.clear();
    for (const QString& path : std::as_const(BatchPictures)) {
        PictureFile::Remove(path);
    }
}

bool ReminderBook::Replace(const QString& id, AffairInfo record, QString* error)
{
    const AffairList before = List;
    // An edited event starts afresh from its own due moments.
    record.SetSnooze(0);
    record.SetAffairID(id);
    record.Rearm(Clock::now());
    // Deleted (or restored away) while an editor had it open: kept as an event rather than lost
    // with its freshly written picture.
    if (!List.ReplaceAffair(id, record)) {
        if (List.Count() >= AffairStore::MaxEvents) {
            return Add(record, nullptr, error);
        }
        List.AppendAffair(record);
    }
    // The editor writes a new picture over the old path, so the same path is primed again.
    ToPrime.append(record.GetPicPath());
    const QString oldPicture = before.FindAffair(id).GetPicPath();
    if (!Commit(before, error)) {
        return false;
    }
    if (!oldPicture.isEmpty() && oldPicture != record.GetPicPath() &&
        !PicturesOf(List).contains(oldPicture)) {
        PictureFile::Remove(oldPicture);
    }
    return true;
}

bool ReminderBook::Remove(const QString& id, QString* error)
{
    const std::optional<AffairInfo> record = Find(id);
    if (!record) {
        if (error) {
            *error = tr("There is no event %1.").arg(id);
        }
        return false;
    }
    const AffairList before = List;
    List.RemoveAffair(id);
    // The picture goes only once the list without the event is on disk: a failed save keeps the
    // event, with its picture.
    if (!Commit(before, error)) {
        return false;
    }
    // Two events may name one file (a hand-edited list): it stays while one of them does.
    if (!PicturesOf(List).contains(record->GetPicPath())) {
        PictureFile::Remove(record->GetPicPath());
    }
    return true;
}

bool ReminderBook::RemoveExpired(int* removed, QString* error)
{
    const AffairList before = List;
    QStringList gone;
    for (int i = 0; i < List.Count(); ++i) {
        const AffairInfo record = List.At(i);
        // A snoozed once-only event is past its own moment but will still come.
        if (!record.IsActive() && record.SnoozeSecs() == 0) {
            gone.append(record.GetAffairID());
        }
    }
    for (const QString& id : gone) {
        List.RemoveAffair(id);
    }
    if (removed) {
        *removed = gone.size();
    }
    if (gone.isEmpty()) {
        return true;
    }
    if (!Commit(before, error)) {
        if (removed) {
            *removed = 0;
        }
        return false;
    }
    const QSet<QString> kept = PicturesOf(List);
    for (const QString& id : gone) {
        const QString path = before.FindAffair(id).GetPicPath();
        if (!kept.contains(path)) {
            PictureFile::Remove(path);
        }
    }
    return true;
}

bool ReminderBook::Restore(const QString& backupFile, int* count, QString* error)
{
    // The archive checks the whole file before it touches anything, so on failure the events and
    // their pictures stay as they are.
    AffairList restored;
    const BackupArchive::Outcome result = BackupArchive::Restore(backupFile, List, &restored);
    if (!result.ok()) {
        if (error) {
            *error = result.reason;
        }
        return false;
    }
    List = restored;
    // A snooze whose moment passed before the backup was restored is not shown late.
    List.TakeSnoozed(Clock::nowSecs());
    // As at start-up: without re-arming, the restored events would never fall due.
    List.RearmAll(Clock::now());
    if (count) {
        *count = List.Count();
    }
    Save(nullptr);
    ToPrime = PicturesOf(List).values();
    PrimePictures();
    emit eventsChanged();
    emit nextChanged();
    return true;
}

bool ReminderBook::ShowNow(const QString& id, QString* error)
{
    const std::optional<AffairInfo> record = Find(id);
    if (!record) {
        if (error) {
            *error = tr("There is no event %1.").arg(id);
        }
        return false;
    }
    Preview(*record);
    return true;
}

void ReminderBook::Preview(const AffairInfo& record)
{
    // A reminder on screen is not lost under a preview: it comes again after it.
    Dispatcher.PreviewShown();
    Put(record, true);
}

void ReminderBook::Put(const AffairInfo& record, bool preview)
{
    ScreenTaken = true;
    emit reminderDue(record, preview);
    emit nextChanged();
}

void ReminderBook::Dismiss()
{
    if (!ScreenTaken) {
        return;
    }
    const QString gone = Dispatcher.Showing();
    ScreenTaken = false;
    emit reminderGone(gone);
    const AffairInfo next = Dispatcher.Dismissed();
    if (!next.GetAffairID().isEmpty()) {
        Put(next, false);
    } else {
        emit nextChanged();
    }
}

bool ReminderBook::Snooze(qint64 untilSecs, QString* error)
{
    if (!ScreenTaken) {
        if (error) {
            *error = tr("No reminder is on screen.");
        }
        return false;
    }
    const std::optional<AffairInfo> shown = Find(Dispatcher.Showing());
    // A preview can only be dismissed; so can an event deleted while its reminder was up.
    if (untilSecs == 0 || !shown) {
        Dismiss();
        return true;
    }
    const AffairList before = List;
    AffairInfo record = *shown;
    record.SetSnooze(untilSecs);
    List.ReplaceAffair(record.GetAffairID(), record);
    // Kept with the event, so it comes back after a restart too; a snooze that cannot be kept
    // leaves the reminder on screen rather than let it vanish.
    if (!Save(error)) {
        List = before;
        return false;
    }
    emit eventsChanged();
    Dismiss();
    return true;
}

void ReminderBook::Tick()
{
    emit ticking();
    const QDateTime nowTime = Clock::now();
    const qint64 now = nowTime.toSecsSinceEpoch();
    const qint64 nowMs = nowTime.toMSecsSinceEpoch();
    // How far the wall clock moved beyond the time that really passed: a clock set back or
    // forward, or a machine resumed from suspend (the monotonic clock stands still meanwhile).
    const qint64 passedMs = Monotonic.isValid() ? Monotonic.restart() : 0;
    const qint64 jumpMs = (nowMs - LastTickMs) - passedMs;
    LastTickMs = nowMs;
    Running.Mark(now);

    bool changed = false;
    const int heldBefore = Dispatcher.HeldCount();
    const AffairInfo due = Dispatcher.Tick(now);
    // One that fell due while held moved on all the same, and the tray counts it.
    if (!due.GetAffairID().isEmpty() || Dispatcher.HeldCount() != heldBefore) {
        changed = true;
    }
    if (qAbs(jumpMs) > JumpMs) {
        // What fell due inside a forward jump came just above, once; every event is then armed
        // from the new now, so a clock set back brings the repeated hours' reminders again.
        List.RearmAll(nowTime);
        changed = true;
    }
    if (Dispatcher.TookSnoozes()) {
        // Delivered snoozes leave the store at once, so a clock set back never brings one again.
        Save(nullptr);
    }
    if (!due.GetAffairID().isEmpty()) {
        Put(due, false);
    }
    if (changed) {
        emit eventsChanged();
        emit nextChanged();
    }
    ScheduleTick();
}
