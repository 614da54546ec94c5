#pragma once
// The tables a team transfer file carries and their fields in the order
// export writes them; export and import both copy rows by these lists.

#include "platform/db/Database.h"

#include <QStringList>
#include <functional>
#include <map>

namespace vh::transfer {

const QStringList& programVersionFields();
const QStringList& gameTypeFields();
const QStringList& categoryNameFields();
const QStringList& teamFields();
const QStringList& rosterFields();
const QStringList& peopleFields();
const QStringList& gameFields();
// PlayerStats without Position, which neither export nor import writes.
const QStringList& playerStatFields();
const QStringList& goalieStatFields();

// The nine tables of a transfer file with their fields.
const std::map<QString, QStringList>& transferTables();

// Values that replace the copied ones, by field name.
using Overrides = std::map<QString, QVariant>;

// Appends one row to `table` of `to` for each row `select` yields in `from`,
// taking the listed fields by name; `adjust` may change a row's values before
// it is written. Returns the rows written.
int copyRows(Database& from, const QString& select, const QVariantList& params, Database& to, const QString& table,
             const QStringList& fields, const std::function<void(const Recordset&, Overrides&)>& adjust = {});

}  // namespace vh::transfer
