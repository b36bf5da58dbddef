// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

class QmError;

// The sample database operations of the project: creating it for a new project, rebuilding it when
// the parameter list changes and emptying it. A rebuild or a clear takes the live database for
// itself (refusing while another program holds it), copies the file, and rebuilds table Data in
// place in one transaction; once that has committed the copy replaces "TEMP.MDB". The live file is
// never renamed, so a program that has it open goes on writing into the rebuilt database. Any
// failure leaves the live database and the old "TEMP.MDB" as they were; a kill at any point is
// settled at the next open (RecoverInterruptedRebuild). The main window lets go of the database
// meanwhile and is bound again after (projectHooks(), project/windowhooks.h).

// Creates DatabaseFile with table Data for the current parameter table (ParamTable, NumParams).
// The file must not exist. A file the engine cannot make shows "Could not create database", any
// other failure "Error N in CreateDb."; either gives false and leaves no file.
bool CreateDb();

// Rebuilds DatabaseFile for the current parameter table: new parameter i takes the values of the
// old field named OldParamNames i (an empty name: it starts empty). The previous file is kept as
// "TEMP.MDB". A failure shows "Error N in RedefineDb." with a note that the database is unchanged,
// and gives false.
bool RedefineDb();

// Replaces DatabaseFile by an empty one for the current parameter table, keeping the previous
// file as "TEMP.MDB". A failure is reported as "Error N in ClearDB." as RedefineDb does.
bool ClearDB();

// Settles what an interrupted rebuild left beside DatabaseFile, before the project's database is
// opened: the engine rolls back a rebuild that did not commit; the copy of one that did becomes
// "TEMP.MDB"; every other scratch file of ours goes, whichever process made it. A live file missing
// after a kill between the renames of earlier versions' rotation is put back from its new database.
// Does nothing while another program holds the database.
void RecoverInterruptedRebuild(const QString& databaseFile);

// The first non-empty name that is not a parameter field (a field after Source, Samp_Date and Dup)
// of table Data in the database, compared with letter case; nullopt when every name is one.
// Raises QmError when the database cannot be opened.
std::optional<QString> FirstUnknownField(const QString& databaseFile, const QStringList& names);

// A fault of opening the database carries a message fit for the user and is shown as a warning;
// any other fault is shown as "Error N in <where>.".
void ReportDbFault(const QmError& e, const QString& where);

// For tests: called at the named steps of the bulk operations ("backup" once the copy of the live
// file is written, "copy" after each record copied into the rebuilt table, "rotate" 1 before the
// rebuild commits and 2 after, before the copy replaces "TEMP.MDB", "import" after each record
// stored). A QmError thrown from it fails the operation at that point.
using FaultHook = std::function<void(QStringView step, qint64 n)>;
FaultHook& dbFaultHook();
void DbFaultPoint(QStringView step, qint64 n);
