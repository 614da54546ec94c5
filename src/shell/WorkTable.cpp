#include "shell/WorkTable.h"

namespace vh {

void clearWorkTable(Database& db, const QString& table) { rewriteWorkTable(db, table, {}, {}); }

void rewriteWorkTable(Database& db, const QString& table, const QStringList& fields,
                      const std::vector<QVariantList>& rows)
{
}

}  // namespace vh
