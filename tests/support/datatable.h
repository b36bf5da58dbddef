// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Table Data of a sample database as tests compare it.

// Every record whole, NULL shown as "(null)": those the SQL condition where picks (all when empty),
// in the SQL order given (storing order when empty).
QList<QStringList> dataRecords(const QString& databaseFile, const QString& where = {},
                               const QString& orderBy = {});
// The column names, in table order.
QStringList dataFields(const QString& databaseFile);
// A source's records as the main window binds them.
QList<QStringList> boundRecords(const QString& databaseFile, const QString& source);
