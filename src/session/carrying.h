#pragma once

// The command line of tirages: « Sauvegarde… »'s four actions, for scripts
// and for players without a desktop.

#include <QString>
#include <QStringList>

class QTextStream;

namespace tirages::session {

// Whether the first argument asks for a command rather than the launcher.
bool isCommand(const QString& argument);

// Runs the command the arguments give (the program's name left out) on the
// database of the player, with the catalogue's lists looked for in dataDirs.
// What it did goes to `out`, what went wrong to `err`; the exit status.
int runCommand(const QStringList& arguments, const QStringList& dataDirs, QTextStream& out,
               QTextStream& err);

} // namespace tirages::session
