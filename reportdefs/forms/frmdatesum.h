// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/datesumfile.h"
#include "reportdefs/forms/reportform.h"

class QLabel;
class QPushButton;

// The date summary definition: sampling episodes, up to nine parameters, up to 39 sources with their
// map positions, the report information and the map information. Parameter numbers are stored by
// the picks and Delete; everything else is taken from the grids when the definition is saved.
class frmDateSum : public ReportForm {
    Q_OBJECT
public:
    frmDateSum();

    QLabel* Label1 = nullptr; // "Master Parameter List"
    QLabel* Label2 = nullptr; // "Master Source List"
    QLabel* Label3 = nullptr; // "Sampling Episodes"
    SpreadGrid* SS5 = nullptr; // start date, end date
    QLabel* Label4 = nullptr; // "Chosen Parameters"
    SpreadGrid* SS1 = nullptr; // parameter names
    QLabel* Label5 = nullptr; // "Chosen Sources"
    SpreadGrid* SS2 = nullptr; // source, Abv/Blw, X, Y
    QLabel* Label6 = nullptr; // "Report Information"
    SpreadGrid* SS3 = nullptr;
    QLabel* Label7 = nullptr; // "Map Information"
    SpreadGrid* SS4 = nullptr;
    QPushButton* Command1 = nullptr; // Edit Notes
    QPushButton* Command2 = nullptr; // Edit Mode

    void List1_Click();
    void List2_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void Command2_Click();
    void SS2_Click();
    void SS3_Click();
    void SS4_Click();
    void SS5_Click();

    // Shows the definition variables on the form.
    void FillDateForm();

protected:
    void SetupGrids() override;
    QList<SpreadGrid*> Grids() const override;
    QList<SpreadGrid*> TypedGrids() const override;
    void ClearForm() override;
    void ClearDefinition() override;
    std::function<void()> LoadDefinition(const QString& path) override;
    void FillForm() override;
    bool WriteDefinition(const QString& path) override;
    int ItemCount() override;
    void Closing() override;

private:
    void sizeGrids();
    DateSumGrids GridsOnForm() const;
};
