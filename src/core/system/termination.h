// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Ends the program through its event loop when the session ends or the terminal asks it to
// (SIGTERM at log-out, SIGINT, SIGHUP), instead of being killed where it stands: the normal way
// out then records the last running moment, so a reminder on screen at log-out is not listed as
// missed at the next start. The signal handler only writes a byte to a socket pair; the loop
// reads it and quits with exit code 0. The same signal a second time ends the program at once.
class Termination
{
public:
    // Needs the application object; call once. False, with the reason, when the handlers could
    // not be set up (the program then runs on, ending as before). Nothing to do on Windows.
    static bool Install(QString* error);
};
