#pragma once

// The command line of tirages: « Sauvegarde… »'s four actions, for scripts
// and for players without a desktop.

#include "clock.h"

#include <QStringList>

class QTextStream;

namespace tirages::session {

// Whether the arguments (the program's name left out) open the launcher:
// none, or only the toolkit's own options (-style fusion...).
bool opensTheLauncher(const QStringList& arguments);

// Runs the command the arguments give on the database of the player, with
// the catalogue's lists looked for in dataDirs. What it did goes to `out`,
// what went wrong to `err`. The exit status: 0 done, 1 refused or failed, 2
// a command the program does not know (the usage then on `err`).
int runCommand(const QStringList& arguments, const QStringList& dataDirs, Clock now,
               QTextStream& out, QTextStream& err);

} // namespace tirages::session
