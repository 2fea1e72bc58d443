#pragma once

// What the store tests share: a digest of a whole training, and SQLite's own
// check of a database file.

#include "training/snapshot.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace tirages::test {

inline QByteArray digest(const TrainingSnapshot& snapshot) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(static_cast<int>(snapshot.criterion)) + '|' +
                 snapshot.threshold.toUtf8() + '|' + QByteArray::number(snapshot.seriesDone) + '|');
    for (const ListEntry& entry : snapshot.entries)
        hash.addData(QByteArray::number(entry.line) + ';' + entry.draw.toUtf8() + ';' +
                     entry.solution.toUtf8() + ';' + QByteArray::number(entry.reussites) + '\n');
    return hash.result().toHex();
}

// "ok" when SQLite finds the file whole, else what it found.
inline QString integrityOf(const QString& path) {
    QString result;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity-check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next())
                result = query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("integrity-check"));
    return result;
}

} // namespace tirages::test
