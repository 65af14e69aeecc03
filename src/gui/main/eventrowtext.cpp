// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/eventrowtext.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

QString EventRowText::PeriodText(const AffairPeriod& period)
{
    auto text = [](qint32 count, const char* unit) {
        return QString::number(count) + QStringLiteral("  ") +
               QCoreApplication::translate("MainWindow", unit);
    };
    if (period.year > 0) {
        return text(period.year, QT_TRANSLATE_NOOP("MainWindow", "year"));
    }
    if (period.month > 0) {
        return text(period.month, QT_TRANSLATE_NOOP("MainWindow", "month"));
    }
    if (period.day > 0 && period.day % 7 == 0) {
        return text(period.day / 7, QT_TRANSLATE_NOOP("MainWindow", "week"));
    }
    if (period.day > 0) {
        return text(period.day, QT_TRANSLATE_NOOP("MainWindow", "day"));
    }
    if (period.hour > 0) {
        return text(period.hour, QT_TRANSLATE_NOOP("MainWindow", "hour"));
    }
    if (period.minute > 0) {
        return text(period.minute, QT_TRANSLATE_NOOP("MainWindow", "minute"));
    }
    return QCoreApplication::translate("MainWindow", "Once");
}

QString EventRowText::DateText(const QDateTime& moment)
{
    return QLocale::system().toString(moment.date(), QLocale::ShortFormat);
}

QString EventRowText::TimeText(const QDateTime& moment)
{
    return QLocale::system().toString(moment.time(), QLocale::ShortFormat);
}

bool EventRowText::ParseColor(const QString& text, QColor* color)
{
    QString bare = text;
    bare.remove(QStringLiteral("rgb(")).remove(QStringLiteral(")"));
    const QStringList parts = bare.split(QLatin1Char(','), Qt::KeepEmptyParts);
    if (parts.size() != 3) {
        return false;
    }
    // Out-of-range numbers are clamped so that a hand-edited file cannot make an invalid colour.
    auto component = [](const QString& part) { return qBound(0, part.toInt(nullptr, 10), 255); };
    *color = QColor(component(parts.at(0)), component(parts.at(1)), component(parts.at(2)), 255);
    return true;
}
