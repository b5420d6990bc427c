// The program's icon for its windows.
#pragma once

#include <QIcon>

// Title bars and task switchers show the icon small, so the window gets the
// 48 and 128 px pictures; the 256 px one, which the desktop file installs,
// would only cost the start its decoding.
QIcon ProgramIcon();
