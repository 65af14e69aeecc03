// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/options/options.h"

Options::Options(const QString& fileName, QObject* parent)
    : QObject(parent), Store(std::make_unique<ESettings>(fileName))
{
}

Options::~Options() = default;

bool Options::Change(const std::function<void(ESettings&)>& edit)
{
    edit(*Store);
    const bool saved = Store->SaveOptions();
    emit changed();
    return saved;
}
