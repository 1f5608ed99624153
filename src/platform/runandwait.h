#pragma once

#include <QString>
#include <QStringList>

// Starts a program and returns once it has ended, letting window events run
// meanwhile so that the windows stay responsive. The program is started
// directly with its arguments, never through a shell. Returns the exit code,
// or -1 when the program could not be started or crashed.
int runAndWait(const QString &program, const QStringList &args);
