// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qmerror.h"
#include "project/projectfile.h"

#include <QString>
#include <functional>
#include <optional>

// The project form's work without the form: what it shows when it opens, and what its OK does with
// what the user entered. The form gathers its fields, calls these and shows the result.

// The fields of the project form as the user sees them.
struct ProjectInfoFields {
    QString clientText; // the client lines, "\n" between them
    QList<SourceRow> sources;
    QList<ParamRow> params;
    QString reportStartDate;
    QString reportEndDate;
    QString lessThanFactor;
};

// The fields for the open project, or for a new one (NewProjectMode -1: empty but for the report
// date window and the "<" factor). For the open project it keeps the parameter names
// (OldParamNames) so that OK can tell a changed parameter list.
ProjectInfoFields LoadProjectInfo();

// Why the parameter rows cannot be written as record lines (a "|", Tab or line break in a field):
// the warning naming the first such row, "" when they can.
QString UnwritableParameters(const QList<ParamRow>& rows);

// What OK came to.
enum class ProjectInfoOutcome {
    Refused,        // a field cannot be taken: warning says why; nothing changed
    Failed,         // a fault, reported already or in error; the project is as it was
    SaveCancelled,  // a new project whose save dialog was cancelled; nothing changed
    Saved,          // the open project's file written
    KeptParameters, // the changed parameter list not confirmed: saved with the old parameters
    Redefined,      // the database rebuilt for the new parameter list, and the file written
    Created,        // a new project's file and database made
};

struct ProjectInfoResult {
    ProjectInfoOutcome outcome = ProjectInfoOutcome::Failed;
    QString warning;              // Refused: the text to warn with
    std::optional<QmError> error; // to show as "Error N in <the OK handler>."; with Redefined too
    // The form closes: the project now holds what the form gave.
    bool closesForm() const {
        return outcome == ProjectInfoOutcome::Saved || outcome == ProjectInfoOutcome::KeptParameters ||
               outcome == ProjectInfoOutcome::Redefined || outcome == ProjectInfoOutcome::Created;
    }
};

// Asked when the parameter list of the open project changed: true when the user confirmed the
// rebuild, leaving in OldParamNames which old field each new parameter takes its values from.
using ConfirmRedefine = std::function<bool()>;

// OK of the project form. Everything is checked before the project changes; then the tables take the
// fields, a new project asks for its file name (through ui()) and gets its database, a confirmed new
// parameter list rebuilds the database. Any failure puts the project back as it was. The project
// file of a rebuilt database is staged beside the old one and put in place only once the rebuild has
// succeeded. Sets the hand-over variables NewParamNames, ParamsChanged and RedefineConfirmed.
ProjectInfoResult ApplyProjectInfo(const ProjectInfoFields& fields, const ConfirmRedefine& confirmRedefine);
