// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/addrecords.h"

#include "platform/dates.h"
#include "platform/numbers.h"
#include "platform/qmerror.h"
#include "platform/sampledb.h"
#include "platform/uiservice.h"
#include "project/modgw.h"

#include <algorithm>

namespace {

// A date typed into the grid is refused unless it uses "/", although dashes would parse.
struct BadDate {};

void reportAddFault(const QmError& e) {
    switch (e.number()) {
    case dberr::DuplicateKey:
        warn(QStringLiteral("Cannot Add:  Duplicate Record Found"));
        break;
    case dberr::FieldTooSmall:
        warn(QStringLiteral(
            "Cannot Add: Either source name is longer than 10 characters or data is longer than "
            "8 characters.  Shorten one of these and try again."));
        break;
    default:
        warn(QStringLiteral("Cannot Add: error # ") + qnum::CaptionNum(e.number()) +
             QStringLiteral(" occured: ") + e.detail());
    }
}

} // namespace

AddResult AddRecords(const QList<AddColumn>& columns) {
    const ModGW& m = modgw();
    if (columns.isEmpty()) return AddResult::Nothing;
    SampleDb db;
    try {
        db.open(m.DatabaseFile);
        const int params = std::min(m.NumParams, int(db.fields().size()) - sampledb::FixedFields);
        db.begin();
        QStringList values;
        for (qsizetype k = 0; k < columns.size(); ++k) {
            const AddColumn& col = columns[k];
            const QString source = col.value(0).trimmed();
            QString date = col.value(1).trimmed();
            for (qsizetype left = k - 1; date.isEmpty() && left >= 0; --left)
                date = columns[left].value(1).trimmed();
            if (!date.contains(u'/') || !qdate::Parse(date)) throw BadDate{};
            const auto when = qdate::Parse(qdate::FixTwoDigitYear(date));
            values = {source, qdate::ToIso(*when), col.value(2).trimmed()};
            for (int i = 1; i <= params; ++i) {
                const QString typed = col.value(2 + i);
                values << (typed.isEmpty() ? m.ParamTable[i][5] : typed);
            }
            db.insert(values);
        }
        db.commit();
        return AddResult::Added;
    } catch (const BadDate&) {
        db.rollback();
        warn(QStringLiteral("Bad Date Format"));
    } catch (const QmError& e) {
        if (db.isOpen()) db.rollback();
        reportAddFault(e);
    }
    return AddResult::Refused;
}
