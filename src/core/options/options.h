// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/esettings.h"

#include <QObject>
#include <functional>
#include <memory>

// The program's options, read from the options file once. Everyone who needs an option reads it
// here; a change goes through Change(), which writes the file and tells every user at once.
class Options : public QObject
{
    Q_OBJECT

public:
    explicit Options(const QString& fileName = ESettings::DefaultPath(), QObject* parent = nullptr);
    ~Options() override;

    const ESettings& Current() const { return *Store; }

    // `edit` sets the new values; they take effect even when the file cannot be written, for
    // which the result is false.
    bool Change(const std::function<void(ESettings&)>& edit);

signals:
    void changed();

private:
    std::unique_ptr<ESettings> Store;
};
