#pragma once

// Small helpers the store's files share.

#include "training/state.h"

#include <QSqlError>
#include <QString>

namespace tirages::progress {

// What SQLite's error means for the player, in French.
QString reasonOf(const QSqlError& error, const QString& path);

int criterionCode(Criterion criterion);
Criterion criterionOf(int code);

} // namespace tirages::progress
