#pragma once
// Helpers for the report tests: rows written straight into a work table, a
// report grid's shown rows and captions, the next dialog answered as a user
// would, and the text of each page of a printed PDF (through pdftotext).

#include "platform/db/Database.h"
#include "shell/Form.h"
#include "shell/ReportGrid.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>
#include <functional>

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

// The cells of every row the grid shows, joined by "|", hidden columns left
// out; with `trimmed` without the blanks around each cell.
inline QStringList gridRows(const ReportGrid* grid, bool trimmed = false)
{
    QStringList out;
    const ReportTableModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            if (m->columns()[size_t(c)].visible)
                cells << (trimmed ? m->text(r, c).trimmed() : m->text(r, c));
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

inline QStringList gridCaptions(const ReportGrid* grid)
{
    QStringList out;
    for (const ReportColumn& c : grid->columns())
        if (c.visible)
            out << c.caption;
    return out;
}

// The next modal dialog, which must be a `D`, is answered by `drive`.
template <class D>
void answerNext(std::function<void(D*)> drive)
{
    Dialog::setModalHook([drive](Dialog* d) {
        auto* dialog = qobject_cast<D*>(d);
        QVERIFY(dialog);
        drive(dialog);
        Dialog::setModalHook({});
    });
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
