#pragma once

#include <QString>

namespace data {

// The folder of the running program file, with a trailing '/'. Everything the program reads lies
// there; the working directory plays no part.
QString programFolder();

// Lets a test run the program on a folder of its own.
void setProgramFolder(const QString& folder);

// A program folder shared by the system users of a PC (it holds the file "shared", which the
// package puts there, or it cannot be written) gives each user a program folder of their own,
// $XDG_DATA_HOME/velmoor/, made or refreshed by refreshOwnFolder. Called once at start-up, before
// anything is read; a folder of the user's own is the program folder even if refreshing it fails.
void useOwnFolderIfShared();

// Makes or refreshes a user's own program folder from the shared one (both with a trailing '/'):
// - upload/ and html/ are links to the shared folder's, so they are always current;
// - data.db is copied once; after that the user's answers, counters and every other table stay.
//   When the bank in the shared data.db changes (a school loads a new one), its tables sort,
//   subject and options replace the user's in one transaction, keeping each question's error
//   counter by subid;
// - system.ini is copied once, and again whenever the shared one changes.
// What was last taken from the shared folder is recorded in the user's table installstamp, with
// what the file system says of the shared data.db: while that stays as it was, the bank is not read
// again.
void refreshOwnFolder(const QString& shared, const QString& own);

} // namespace data
