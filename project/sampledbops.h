// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The sample database operations of the project: creating it for a new project and rebuilding it
// when the parameter list changes.

// Creates DatabaseFile with table Data for the current parameter table (ParamTable, NumParams).
// The file must not exist. A failure shows "Error N in CreateDb." and gives false; no file is left.
bool CreateDb();

// Rebuilds DatabaseFile for the current parameter table, copying every record through the mapping
// in OldParamNames, and keeps the previous file as "TEMP.MDB" in DataFolder. A failure shows
// "Error N in RedefineDb." and gives false, with the live database as it was.
bool RedefineDb();

// The main window's bound records, which must let go of the database file while it is moved and
// be bound again afterwards. The window fills these in.
struct BindingHooks {
    std::function<void()> release;
    std::function<void()> rebind;
    void reset() { *this = BindingHooks{}; }
};
BindingHooks& bindingHooks();
