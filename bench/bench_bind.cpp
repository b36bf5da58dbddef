// SPDX-License-Identifier: GPL-3.0-or-later
// Binding the main grid to a source of 10,000 records with 20 parameters: the query, the grid
// filled, and the first paint after it.
#include "app/forms/frmdatagrid.h"
#include "platform/dates.h"
#include "platform/gui/datacontrol.h"
#include "platform/gui/forms.h"
#include "platform/gui/spreadgrid.h"
#include "platform/progfolder.h"
#include "platform/sampledb.h"
#include "project/modgw.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QTemporaryDir home;
    SetProgramFolder(home.path() + "/qmar2002");
    QApplication app(argc, argv);
    constexpr int records = 10000;
    constexpr int params = 20;

    const QString path = home.path() + "/big.mdb";
    {
        QStringList names;
        for (int p = 1; p <= params; ++p)
            names << QStringLiteral("P%1").arg(p);
        SampleDb db;
        db.create(path, names);
        db.begin();
        const QDate first(1980, 1, 1);
        for (int i = 0; i < records; ++i) {
            QStringList v{QStringLiteral("MW-1"), qdate::ToIso(first.addDays(i)), QString()};
            for (int p = 1; p <= params; ++p)
                v << QString::number((i * 7 + p) % 1000 / 10.0);
            db.insert(v);
        }
        db.insert({QStringLiteral("MW-2"), QStringLiteral("2002-05-01")});
        db.commit();
    }
    ModGW& m = modgw();
    m.NumSources = 2;
    m.SourceTable[1][1] = QStringLiteral("MW-1");
    m.SourceTable[2][1] = QStringLiteral("MW-2");
    m.DatabaseFile = path;

    frmDatAGrid& w = forms::form<frmDatAGrid>();
    w.SetupDataGrid();
    w.datGW->records().setDatabaseName(path);
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();
    w.BindSource(1); // warm: the connection opens once per project
    std::vector<double> bind, paint;
    for (int run = 0; run < 10; ++run) {
        w.BindSource(2);
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        w.BindSource(1);
        bind.push_back(t.nsecsElapsed() / 1e6);
        w.SS->viewport()->repaint();
        paint.push_back(t.nsecsElapsed() / 1e6);
    }
    if (w.SS->maxRows() != records ||
        w.SS->text(records, 2) != qdate::Format(QDate(1980, 1, 1).addDays(records - 1))) {
        std::fprintf(stderr, "grid not filled as expected\n");
        return 1;
    }
    std::sort(bind.begin(), bind.end());
    std::sort(paint.begin(), paint.end());
    std::printf("bind %d records x %d fields: median %.1f ms (min %.1f, max %.1f)\n", records, params + 3,
                bind[bind.size() / 2], bind.front(), bind.back());
    std::printf("bind and first paint: median %.1f ms (min %.1f, max %.1f)\n", paint[paint.size() / 2],
                paint.front(), paint.back());
    forms::unloadAll();
    return 0;
}
