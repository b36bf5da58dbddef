// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/forms/reportform.h"
#include "reportdefs/gwelevfile.h"

class QLabel;
class QPushButton;

// The groundwater elevation definition: the graphed parameter and whether depths or elevations are
// drawn, up to 50 source sets of four sources with each set's scale, and the report titles. Sources
// reach a set only by picks from the source list (with the reference elevation of that moment) and
// leave it by Delete Well; the rest is taken from the grids when the definition is saved.
class frmGWElev : public ReportForm {
    Q_OBJECT
public:
    frmGWElev();

    QLabel* Label1 = nullptr; // "Master Parameter List"
    QLabel* Label2 = nullptr; // "Master Source List"
    QLabel* Label3 = nullptr; // "Parameter Information"
    SpreadGrid* SS2 = nullptr; // "Parameter #", "Depth/Elev. (D/E)"
    QLabel* Label4 = nullptr; // "Source Sets"
    SpreadGrid* SS1 = nullptr; // one set a row: sources 1 to 4, then the scale
    QLabel* Label5 = nullptr; // "Report Information"
    SpreadGrid* SS3 = nullptr; // the title rows
    QPushButton* Command1 = nullptr; // Edit Mode
    QPushButton* Command2 = nullptr; // Edit Notes

    void List1_Click();
    void List2_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void Command2_Click();
    void SS1_Click();
    void SS2_Click();
    void SS3_Click();

    // Shows the definition variables on the form.
    void FillGWElevForm();
    // The three grids as they stand.
    GWElevGrids GridsOnForm() const;

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
    QString RunRefusal() const override;
};
