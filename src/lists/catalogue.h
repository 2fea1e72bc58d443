#pragma once

#include "lists/listfile.h"

#include <QString>
#include <QStringList>
#include <array>

namespace tirages::lists {

struct CatalogueList {
    QString name; // as the launcher shows it
    QString path; // relative to the working directory
};

// The lists offered on the launcher, in the order it shows them.
const std::array<CatalogueList, 17>& catalogue();

// The path the text of the launcher's list box stands for: the file of a
// catalogue list when the text is exactly its name (case, accents and spaces
// included), otherwise the text itself, unchanged.
QString listPath(const QString& fichier);

// Like listPath, and when the text names a catalogue list whose file is not
// found relative to the working directory, the first of dataDirs that holds a
// file of that name. A typed path is never looked up elsewhere.
QString locateList(const QString& fichier, const QStringList& dataDirs);

// Reads the list that the launcher's text stands for, found as locateList finds it.
ListResult openList(const QString& fichier, const QStringList& dataDirs);

} // namespace tirages::lists
