#pragma once

// The player's choices kept across runs, by name.

#include "result.h"

#include <QString>

namespace tirages::progress {

class Connection;

class Preferences {
public:
    explicit Preferences(Connection& connection) : m_connection(connection) {}

    // The value kept under `name`; empty when none.
    QString value(const QString& name) const;
    Result<Done> set(const QString& name, const QString& value);

private:
    Connection& m_connection;
};

} // namespace tirages::progress
