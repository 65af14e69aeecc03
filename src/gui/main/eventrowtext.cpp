// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventrowtext.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

QString EventRowText::PeriodText(const AffairPeriod& period)
{
    // In the order of AffairPeriod::Unit.
    static const char* const units[] = {
        QT_TRANSLATE_NOOP("MainWindow", "Once"),  QT_TRANSLATE_NOOP("MainWindow", "year"),
        QT_TRANSLATE_NOOP("MainWindow", "month"), QT_TRANSLATE_NOOP("MainWindow", "week"),
        QT_TRANSLATE_NOOP("MainWindow", "day"),   QT_TRANSLATE_NOOP("MainWindow", "hour"),
        QT_TRANSLATE_NOOP("MainWindow", "minute")};
    const AffairPeriod::Unit unit = period.MainUnit();
    const QString word = QCoreApplication::translate("MainWindow", units[int(unit)]);
    if (unit == AffairPeriod::Unit::Once) {
        return word;
    }
    return QString::number(period.UnitCount()) + QStringLiteral("  ") + word;
}

QString EventRowText::DateText(const QDateTime& moment)
{
    return QLocale::system().toString(moment.date(), QLocale::ShortFormat);
}

QString EventRowText::TimeText(const QDateTime& moment)
{
    return QLocale::system().toString(moment.time(), QLocale::ShortFormat);
}
