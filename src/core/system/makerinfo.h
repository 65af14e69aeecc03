// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/version.h"

#include <QCoreApplication>
#include <QString>

// Who makes the program, which version it is and under which licence; the about box, the help
// page and the command line read these.
class MakerInfo
{
public:
    static QString WebSite() { return QStringLiteral("https://pennibell.example.org/"); }
    static QString SupportEmail() { return QStringLiteral("support@pennibell.example.org"); }
    static QString Copyright()
    {
        return QCoreApplication::translate("MakerInfo", "Copyright (C) 2026 The Pennibell makers");
    }
    // The bare number, as in "1.0.0".
    static QString VersionNumber() { return QStringLiteral(PENNIBELL_VERSION); }
    static QString Version()
    {
        return QCoreApplication::translate("MakerInfo", "Version %1").arg(VersionNumber());
    }
    static QString Licence()
    {
        return QCoreApplication::translate("MakerInfo",
                                           "Free software under the GNU General Public License, version 3 or "
                                           "later. It comes with no warranty.");
    }
};
