// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/boundrecords.h"

#include <QWidget>

class QToolButton;

// The data control of a window: the bound records and their record-navigation buttons (first,
// previous, next, last). The window keeps the current record in step with its grid.
class DataControl : public QWidget {
    Q_OBJECT
public:
    DataControl(const QString& name, QWidget* parent);

    BoundRecords& records() { return records_; }
    const BoundRecords& records() const { return records_; }
    // 1-based; 0 when there is no record.
    int currentRecord() const { return current_; }
    void setCurrentRecord(int record);

signals:
    // A navigation button asks for this record.
    void moveTo(int record);

private:
    void go(int record);
    BoundRecords records_;
    int current_ = 0;
};
