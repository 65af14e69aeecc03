// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/picture/undohistory.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The sheet is looked at in tiles of 32 rows by 64 columns, and a step keeps only the tiles it
// changed (side by side ones as one rectangle): a long stroke across the sheet costs about its
// own area, not the box around it.
constexpr int BandRows = 32;
constexpr int TileColumns = 64;
// Smaller steps are kept as they are; compressing them would save little and cost time.
constexpr int CompressFrom = 16 * 1024;

int BytesPerPixel(const QImage& image)
{
    return image.depth() / 8;
}

void XorInto(uchar* target, const uchar* source, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        target[i] ^= source[i];
    }
}

} // namespace

UndoHistory::UndoHistory(int maxSteps, qint64 maxBytes) : MaxSteps(qMax(1, maxSteps)), MaxBytes(maxBytes) {}

qint64 UndoHistory::Step::Cost() const
{
    return Data.size() + Bands.size() * qint64(sizeof(QRect)) + qint64(sizeof(Step));
}

void UndoHistory::Clear()
{
    Steps.clear();
    Done = 0;
    Held = 0;
}

bool UndoHistory::Record(const QImage& before, const QImage& after)
{
    if (before.size() != after.size() || before.format() != after.format() || before.depth() % 8 != 0 ||
        before.isNull()) {
        // Another sheet altogether: nothing recorded so far applies to it.
        Clear();
        return false;
    }
    if (before.constBits() == after.constBits()) {
        return false;
    }
    const int bpp = BytesPerPixel(before);
    const int width = before.width();
    const int height = before.height();
    Step step;
    step.ImageSize = before.size();
    QByteArray raw;
    const int tiles = (width + TileColumns - 1) / TileColumns;
    std::vector<char> changed(size_t(tiles), 0);
    for (int top = 0; top < height; top += BandRows) {
        const int bottom = qMin(height, top + BandRows) - 1;
        std::fill(changed.begin(), changed.end(), 0);
        bool any = false;
        for (int y = top; y <= bottom; ++y) {
            const uchar* a = before.constScanLine(y);
            const uchar* b = after.constScanLine(y);
            if (std::memcmp(a, b, size_t(width) * bpp) == 0) {
                continue;
            }
            for (int t = 0; t < tiles; ++t) {
                if (!changed[size_t(t)]) {
                    const int x = t * TileColumns;
                    const size_t length = size_t(qMin(TileColumns, width - x)) * bpp;
                    changed[size_t(t)] = std::memcmp(a + x * bpp, b + x * bpp, length) != 0;
                    any = any || changed[size_t(t)];
                }
            }
        }
        // Neighbouring changed tiles make one rectangle.
        for (int t = 0; any && t < tiles;) {
            if (!changed[size_t(t)]) {
                ++t;
                continue;
            }
            const int first = t;
            while (t < tiles && changed[size_t(t)]) {
                ++t;
            }
            const int left = first * TileColumns;
            const int right = qMin(width, t * TileColumns) - 1;
            const QRect band(left, top, right - left + 1, bottom - top + 1);
            step.Bands.append(band);
            const qsizetype rowBytes = qsizetype(band.width()) * bpp;
            for (int y = band.top(); y <= band.bottom(); ++y) {
                const qsizetype at = raw.size();
                raw.append(reinterpret_cast<const char*>(before.constScanLine(y)) + left * bpp, rowBytes);
                XorInto(reinterpret_cast<uchar*>(raw.data()) + at, after.constScanLine(y) + left * bpp,
                        rowBytes);
            }
        }
    }
    if (step.Bands.isEmpty()) {
        return false;
    }
    if (raw.size() >= CompressFrom) {
        // Level 1: the bytes are mostly zero, where the fastest level packs nearly as well.
        QByteArray packed = qCompress(raw, 1);
        if (!packed.isEmpty() && packed.size() < raw.size()) {
            step.Data = packed;
            step.Compressed = true;
        }
    }
    if (!step.Compressed) {
        step.Data = raw;
    }
    raw = QByteArray();

    while (Steps.size() > Done) {
        Held -= Steps.takeLast().Cost();
    }
    Held += step.Cost();
    Steps.append(step);
    Done = int(Steps.size());
    while (Steps.size() > MaxSteps || (Held > MaxBytes && Steps.size() > 1)) {
        DropOldest();
    }
    return true;
}

void UndoHistory::DropOldest()
{
    Held -= Steps.takeFirst().Cost();
    Done = qMax(0, Done - 1);
}

QRect UndoHistory::Undo(QImage* image)
{
    if (!CanUndo()) {
        return QRect();
    }
    const QRect changed = Apply(Steps.at(Done - 1), image);
    if (changed.isEmpty()) {
        Clear();
        return QRect();
    }
    --Done;
    return changed;
}

QRect UndoHistory::Redo(QImage* image)
{
    if (!CanRedo()) {
        return QRect();
    }
    const QRect changed = Apply(Steps.at(Done), image);
    if (changed.isEmpty()) {
        Clear();
        return QRect();
    }
    ++Done;
    return changed;
}

QRect UndoHistory::Apply(const Step& step, QImage* image)
{
    if (image->size() != step.ImageSize || image->depth() % 8 != 0 || image->isNull()) {
        return QRect();
    }
    const int bpp = BytesPerPixel(*image);
    const QByteArray data = step.Compressed ? qUncompress(step.Data) : step.Data;
    qsizetype needed = 0;
    QRect changed;
    for (const QRect& band : step.Bands) {
        needed += qsizetype(band.width()) * band.height() * bpp;
        changed |= band;
    }
    if (data.size() != needed || !image->rect().contains(changed)) {
        return QRect();
    }
    const uchar* source = reinterpret_cast<const uchar*>(data.constData());
    for (const QRect& band : step.Bands) {
        const qsizetype rowBytes = qsizetype(band.width()) * bpp;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            XorInto(image->scanLine(y) + band.left() * bpp, source, rowBytes);
            source += rowBytes;
        }
    }
    return changed;
}
