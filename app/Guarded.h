// The program's top-level error handler. Qt does not let exceptions unwind
// through its own frames, so every user command runs inside RunGuarded: an
// exception that escapes it is shown in the error box and the program goes on.
#pragma once

#include <QString>

#include <functional>

class QWidget;

// The error box text: the message with a full stop when it lacks one.
QString ErrorBoxText(const QString& message);
// Runs `command`; shows an escaping exception in the error box. Returns
// false when the command ended with an error.
bool RunGuarded(QWidget* parent, const std::function<void()>& command);
