// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/effects/effectcodes.h"

#include <QCoreApplication>

namespace {

struct Entry
{
    const char* text;
    EffectChoice choice;
};

// The texts pass through the "EffectCodes" translation context where they are shown.
const Entry Entries[EffectCodes::RowCount] = {
    {QT_TRANSLATE_NOOP("EffectCodes", "Bounce"), {EffectChoice::Bounce, 0}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Blinds Horizontal"), {EffectChoice::Blinds, EffectChoice::Horizontal}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Blinds Vertical"), {EffectChoice::Blinds, EffectChoice::Vertical}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Up"), {EffectChoice::Push, EffectChoice::Up}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Down"), {EffectChoice::Push, EffectChoice::Down}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left"), {EffectChoice::Push, EffectChoice::Left}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right"), {EffectChoice::Push, EffectChoice::Right}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left-Up"), {EffectChoice::Push, EffectChoice::LeftUp}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right-Up"), {EffectChoice::Push, EffectChoice::RightUp}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Left-Down"), {EffectChoice::Push, EffectChoice::LeftDown}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Push Right-Down"), {EffectChoice::Push, EffectChoice::RightDown}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Up"), {EffectChoice::Spread, EffectChoice::Up}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Down"), {EffectChoice::Spread, EffectChoice::Down}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left"), {EffectChoice::Spread, EffectChoice::Left}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right"), {EffectChoice::Spread, EffectChoice::Right}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left-Up"), {EffectChoice::Spread, EffectChoice::LeftUp}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right-Up"), {EffectChoice::Spread, EffectChoice::RightUp}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Left-Down"), {EffectChoice::Spread, EffectChoice::LeftDown}},
    {QT_TRANSLATE_NOOP("EffectCodes", "Spread Right-Down"), {EffectChoice::Spread, EffectChoice::RightDown}},
};

bool inRange(int row)
{
    return row >= 0 && row < EffectCodes::RowCount;
}

} // namespace

QString EffectCodes::Text(int row)
{
    return inRange(row) ? QString::fromLatin1(Entries[row].text) : QString();
}

EffectChoice EffectCodes::Choice(int row)
{
    return inRange(row) ? Entries[row].choice : EffectChoice();
}

int EffectCodes::Type(int row)
{
    return Choice(row).kind;
}

int EffectCodes::Direction(int row)
{
    return Choice(row).direction;
}

int EffectCodes::Row(const EffectChoice& choice)
{
    for (int row = 0; row < RowCount; ++row) {
        if (Entries[row].choice == choice) {
            return row;
        }
    }
    return 0;
}
