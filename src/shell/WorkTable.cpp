#include "shell/WorkTable.h"

#include <QRegularExpression>

namespace vh {

namespace {

bool plainName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    return re.match(name).hasMatch();
}

}  // namespace

void clearWorkTable(Database& db, const QString& table) { rewriteWorkTable(db, table, {}, {}); }

void rewriteWorkTable(Database& db, const QString& table, const QStringList& fields,
                      const std::vector<QVariantList>& rows)
{
    // Only the report work tables may be emptied wholesale here.
    if (!plainName(table) || !table.startsWith(QLatin1String("Rpt")))
        throw RuntimeError(Err::TableNotFound, QStringLiteral("Not a report work table: ") + table);
    for (const QString& f : fields)
        if (!plainName(f))
            throw RuntimeError(Err::ItemNotFound, QStringLiteral("Item not found in this collection: ") + f);
    for (const QVariantList& row : rows)
        if (row.size() != fields.size())
            throw RuntimeError(Err::ItemNotFound, QStringLiteral("A report row does not match its fields."));

    Transaction t(db);
    db.execute(QStringLiteral("DELETE FROM ") + table);
    if (!rows.empty()) {
        QStringList marks;
        for (qsizetype i = 0; i < fields.size(); ++i)
            marks << QStringLiteral("?");
        Statement insert = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(table, fields.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
        for (const QVariantList& row : rows)
            insert.run(row);
    }
    t.commit();
}

}  // namespace vh
