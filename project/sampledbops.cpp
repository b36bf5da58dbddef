// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/sampledbops.h"

#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "project/modgw.h"

#include <QStringList>

BindingHooks& bindingHooks() {
    static BindingHooks h;
    return h;
}

bool CreateDb() {
    const ModGW& m = modgw();
    try {
        QStringList names;
        for (int i = 1; i <= m.NumParams; ++i)
            names << m.ParamTable[i][1];
        SampleDb db;
        db.create(m.DatabaseFile, names);
        return true;
    } catch (const QmError& e) {
        showError(e, QStringLiteral("CreateDb"));
        return false;
    }
}

bool RedefineDb() {
    // The rebuild with its backup rotation comes with the redefine dialog; until then a parameter
    // change is never confirmed and this is not reached.
    showError(dberr::Engine, QStringLiteral("RedefineDb"));
    return false;
}
