// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/forms/reportform.h"
#include "reportdefs/wellsumfile.h"

class QLabel;
class QPushButton;

// The source summary definition: the report's sources, eleven parameter slots (the table's columns;
// slots 2 to 10 are also the nine graphs) and the report information rows. The sources and notes
// are written into the definition variables by their dialogs; slots and information rows are taken
// from the grids when the definition is saved.
class frmWellSum : public ReportForm {
    Q_OBJECT
public:
    frmWellSum();

    QLabel* Label1 = nullptr; // "Master Parameters"
    QLabel* Label2 = nullptr; // "Source List"
    QLabel* Label3 = nullptr; // "Table Page Headings"
    SpreadGrid* SS = nullptr; // slots 1..11 (columns) by fields 1..6 (rows)
    QLabel* Label4 = nullptr; // "Graph Page Headings and Scale"
    SpreadGrid* SS2 = nullptr; // per row of graphs, a row of labels and a row of scales
    QLabel* Label5 = nullptr; // "Report Info"
    SpreadGrid* SSRepInfo = nullptr;
    QPushButton* Command1 = nullptr; // Edit Source List
    QPushButton* Command2 = nullptr; // Edit Notes
    QPushButton* Command3 = nullptr; // Edit Mode

    void List1_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void SS_Change();
    void SS2_Change();
    void SSRepInfo_Change();

    // Shows the definition variables on the form.
    void FillWellForm();

protected:
    void SetupGrids() override;
    QList<SpreadGrid*> Grids() const override;
    void GridChange(SpreadGrid* grid) override;
    void ClearForm() override;
    void ClearDefinition() override;
    std::function<void()> LoadDefinition(const QString& path) override;
    void FillForm() override;
    bool WriteDefinition(const QString& path) override;
    int ItemCount() override;

private:
    void fillSourceList();
};
