#pragma once
// Helpers for the report tests: rows written straight into a work table, and
// the text of each page of a printed PDF (through pdftotext).

#include "platform/db/Database.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

namespace vh::test {

// Writes one work-table row: SortKey and the named text fields.
inline void addWorkRow(Database& db, const QString& table, int sortKey,
                       const QList<QPair<QString, QString>>& fields)
{
    QString names = QStringLiteral("SortKey");
    QString marks = QStringLiteral("?");
    QVariantList values{sortKey};
    for (const auto& [name, value] : fields) {
        names += QLatin1Char(',') + name;
        marks += QStringLiteral(",?");
        values << value;
    }
    db.execute(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, names, marks), values);
}

// The text of every page of a PDF, laid out as printed; empty when the file
// cannot be read.
inline QStringList pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

}  // namespace vh::test
