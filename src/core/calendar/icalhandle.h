// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libical/ical.h>
#include <memory>

// A libical component owned like any other value: freed with its children when it goes.
struct IcalFree
{
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using IcalHandle = std::unique_ptr<icalcomponent, IcalFree>;
