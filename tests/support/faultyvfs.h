#pragma once

// SQLite's own file operations, wrapped: a test registers this as the default
// before the store opens its database (Qt's driver uses the system's SQLite,
// so the same one), counts the writes and syncs, and makes the n-th and every
// later one fail, as a full or failing disk would, until the fault is lifted.

namespace tirages::test::faultyvfs {

// Registers the wrapper as SQLite's default. Once is enough.
void install();

// Counting starts afresh; from the n-th write or sync on (1 for the first),
// each fails. 0: none fails.
void arm(int n);
void lift();
// Writes and syncs since the last arm() or lift().
int operations();

} // namespace tirages::test::faultyvfs
