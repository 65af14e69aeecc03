// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// Who makes the program and where to reach them; the about box and the help page read these.
class MakerInfo
{
public:
    static QString WebSite() { return QStringLiteral("https://pennibell.example.org/"); }
    static QString SupportEmail() { return QStringLiteral("support@pennibell.example.org"); }
    static QString Copyright()
    {
        return QCoreApplication::translate("MakerInfo", "Copyright (C) 2026 The Pennibell makers");
    }
    static QString Version() { return QCoreApplication::translate("MakerInfo", "Version 1.0"); }
};
