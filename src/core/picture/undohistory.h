// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>

// The steps of one editing session, newest last. A step keeps only the pixels it changed, as
// the exclusive-or of before and after in bands of rows around the changes, so one copy serves
// both undo and redo and unchanged pixels cost nothing once compressed. The oldest steps go
// when there are too many or they take too much memory, whatever the size of the sheet.
class UndoHistory
{
public:
    static constexpr int DefaultSteps = 100;
    static constexpr qint64 DefaultBytes = 48LL << 20;

    explicit UndoHistory(int maxSteps = DefaultSteps, qint64 maxBytes = DefaultBytes);

    // One step from `before` to `after` (same size and format); the steps that could have been
    // redone are dropped. False, and no step, when no pixel changed.
    bool Record(const QImage& before, const QImage& after);
    // Take `image` back one step, or forward one; the pixel area changed, empty when there was
    // nothing to do. A history that no longer fits the image is dropped whole.
    QRect Undo(QImage* image);
    QRect Redo(QImage* image);

    bool CanUndo() const { return Done > 0; }
    bool CanRedo() const { return Done < Steps.size(); }
    int UndoCount() const { return Done; }
    int RedoCount() const { return int(Steps.size()) - Done; }
    // What the steps hold, bookkeeping included.
    qint64 Bytes() const { return Held; }
    void Clear();

private:
    struct Step
    {
        QSize ImageSize;
        QList<QRect> Bands;
        QByteArray Data;
        bool Compressed = false;
        qint64 Cost() const;
    };
    QRect Apply(const Step& step, QImage* image);
    void DropOldest();

    int MaxSteps;
    qint64 MaxBytes;
    QList<Step> Steps;
    int Done = 0;
    qint64 Held = 0;
};
