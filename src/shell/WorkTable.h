#pragma once
// The report work tables (Rpt*): each report empties its table and writes its
// preformatted rows again. Both happen in one transaction, so a failure leaves
// the rows of the previous run rather than a half-written report.

#include "platform/db/Database.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace vh {

// Deletes every row of `table`.
void clearWorkTable(Database& db, const QString& table);

// Deletes every row of `table` and inserts `rows`, each holding one value per
// name in `fields`, in that order. `table` and `fields` must be plain names
// (they cannot be bound); anything else is refused before the database is
// touched.
void rewriteWorkTable(Database& db, const QString& table, const QStringList& fields,
                      const std::vector<QVariantList>& rows);

}  // namespace vh
