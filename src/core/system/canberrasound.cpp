// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/system/canberrasound.h"

#include <QCoreApplication>

CanberraSound::CanberraSound() : Library(QStringLiteral("canberra"), 0) {}

CanberraSound::~CanberraSound()
{
    if (Context && DestroyCall) {
        DestroyCall(Context);
    }
}

bool CanberraSound::Open()
{
    if (Tried) {
        return Context != nullptr;
    }
    Tried = true;
    using CreateFunction = int (*)(void**);
    using PropsFunction = int (*)(void*, ...);
    const auto create = reinterpret_cast<CreateFunction>(Library.resolve("ca_context_create"));
    const auto props = reinterpret_cast<PropsFunction>(Library.resolve("ca_context_change_props"));
    PlayCall = reinterpret_cast<PlayFunction>(Library.resolve("ca_context_play"));
    DestroyCall = reinterpret_cast<DestroyFunction>(Library.resolve("ca_context_destroy"));
    if (!create || !PlayCall || !DestroyCall || create(&Context) != 0) {
        Context = nullptr;
        return false;
    }
    if (props) {
        const QByteArray name = QCoreApplication::applicationName().toUtf8();
        props(Context, "application.name", name.constData(), static_cast<const char*>(nullptr));
    }
    return true;
}

bool CanberraSound::Play(const QString& eventId)
{
    if (!Open()) {
        return false;
    }
    const QByteArray id = eventId.toUtf8();
    return PlayCall(Context, 0, "event.id", id.constData(), static_cast<const char*>(nullptr)) == 0;
}
