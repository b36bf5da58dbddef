// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The project file (".qlp") and the parameter set file (".par"). Both are plain text, one value a
// line, the fields of a record joined by "|". Readers also take a Tab where a project-file line
// holds no further "|", right-trim every field but the last of a line and raise QmError on a short
// record line; writers write fields as they stand.

using SourceRow = std::array<QString, 4>; // Source, X Pos., Y Pos., Ref. Elev.
using ParamRow = std::array<QString, 10>; // the ten fields of ProjectParameter, in order

struct ModGW;

// The project tables: client lines, sources, parameters and the report settings (date window and
// "<" factor). A project file that ends before a setting leaves it absent.
struct ProjectData {
    std::array<QString, 10> clientInfo;
    QList<SourceRow> sources;
    QList<ParamRow> params;
    std::optional<QString> reportStartDate;
    std::optional<QString> reportEndDate;
    std::optional<QString> lessThanFactor;

    // The tables as the 1-based arrays of m hold them, every setting present.
    static ProjectData fromModGW(const ModGW& m);
    // Puts the tables into the 1-based arrays of m, emptying the rows past the new counts; an absent
    // setting leaves the one m holds. The counts must not exceed the arrays.
    void toModGW(ModGW& m) const;
    bool operator==(const ProjectData&) const = default;
};

// Splits a record line into n fields: fields 1 to n-1 end at the first "|" (with tabToo, at the
// first Tab when the rest holds no "|") and are right-trimmed; field n is the rest, untrimmed.
// A line with too few separators raises error 5.
QStringList SplitRecord(const QString& line, int n, bool tabToo);

ProjectData ReadProjectFile(const QString& path);
// The lines of the project file for the project tables of modgw(): always 10 client lines.
QStringList ProjectFileLines();
void WriteProjectFile(const QString& path);

QList<ParamRow> ReadParameterSet(const QString& path);
void WriteParameterSet(const QString& path, const QList<ParamRow>& rows);

// Reads the project file named by ProjectFile into the client lines, the source and parameter
// tables, the report date window and the "<" factor. A missing file is reported and a file that
// fails to read is reported with "Error N in OpenProjectInfo."; in both cases the tables keep what
// they held and the result is false.
bool OpenProjectInfo();
// Empties the client lines and the source and parameter tables; the report date window and the
// "<" factor stay.
void ClearProjArrays();
// Appends the parameters of the set file named by DialogFileName to list. A failure is reported
// with "Error N in LoadParameters." and leaves list as it was; the result is false then.
bool LoadParameters(QList<ParamRow>& list);

// The open project as a whole: its paths, its tables and the shown source, so that a failed or
// cancelled open or new project can put the previous one back.
struct ProjectSnapshot {
    ProjectSnapshot(); // takes the project as it stands now
    void restore() const;

    QString ProjectFile, DatabaseFile, DataFolder;
    ProjectData tables;
    int CurrentSource = 0;
};
