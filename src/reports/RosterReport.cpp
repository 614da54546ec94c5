#include "reports/RosterReport.h"

#include "platform/basic/Basic.h"

#include <QLocale>

namespace vh {

namespace {

// A stored text that counts as present: not missing and not all blanks, so a
// blank field never gives an empty line or a " - " without a number.
bool present(const QString& s) { return !Trim(s).isEmpty(); }

QString townLine(const Recordset& rs)
{
    const QString city = rs.textOr(QStringLiteral("City"));
    const QString state = rs.textOr(QStringLiteral("State"));
    const QString zip = rs.textOr(QStringLiteral("Zip"));
    QString line;
    if (present(city)) {
        line = Trim(city);
        if (present(state) || present(zip))
            line += QStringLiteral(", ");
    }
    if (present(state))
        line += Trim(state) + QLatin1Char(' ');
    if (present(zip))
        line += Trim(zip);
    return line;
}

QString birthDateLine(const QDate& d)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("Birth Date: %1, %2 %3, %4")
        .arg(english.dayName(d.dayOfWeek(), QLocale::LongFormat), english.monthName(d.month(), QLocale::LongFormat))
        .arg(d.day())
        .arg(d.year());
}

void addBlock(QStringList& out, const Recordset& rs, const RosterInput& in)
{
    const auto text = [&rs](const char* f) { return rs.textOr(QLatin1String(f)); };
    QString name = Trim(text("FirstName")) + QLatin1Char(' ') + Trim(text("LastName"));
    if (in.showPlayerNumber && present(text("UniformNumber")))
        name += QStringLiteral(" - ") + Trim(text("UniformNumber"));
    out << Trim(name);
    if (in.showAddress) {
        if (present(text("Address1")))
            out << Trim(text("Address1"));
        if (present(text("Address2")))
            out << Trim(text("Address2"));
        const QString town = townLine(rs);
        if (!town.isEmpty())
            out << town;
    }
    if (in.showPhoneNumbers) {
        if (present(text("HomePhone")))
            out << QStringLiteral("Home Phone: ") + Trim(text("HomePhone"));
        if (present(text("WorkPhone")))
            out << QStringLiteral("Work Phone: ") + Trim(text("WorkPhone"));
    }
    if (in.showEmail && present(text("EmailAddress")))
        out << QStringLiteral("Email: ") + Trim(text("EmailAddress"));
    if (in.showBirthDate) {
        const QDate born = rs.getDate(QStringLiteral("BirthDate"));
        if (born.isValid())
            out << birthDateLine(born);
    }
    if (in.showNotes && present(text("RosterNotes")))
        out << WrapNotes(text("RosterNotes"));
    out << QString();
}

}  // namespace

QStringList WrapNotes(const QString& notes)
{
    constexpr int width = 50;
    QStringList lines;
    // A line break, however it was stored (CR LF, a lone CR or LF), starts a
    // new note line; drawn inside one line it would run over the next.
    QString rest = UnifyLineBreaks(QStringLiteral("Notes: ") + notes);
    for (int cuts = 0; cuts < 1000; ++cuts) {
        const qsizetype lineBreak = rest.indexOf(QLatin1Char('\n'));
        if (lineBreak >= 0 && lineBreak <= width) {
            lines << rest.left(lineBreak);
            rest = rest.mid(lineBreak + 1);
            if (rest.isEmpty())
                break;  // a closing line break adds no empty line
            continue;
        }
        if (rest.size() <= width) {
            lines << rest;
            break;
        }
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), width - 1);
        const qsizetype take = blank >= 0 ? blank + 1 : width;
        lines << rest.left(take);
        rest = rest.mid(take);
    }
    return lines;
}

QStringList ComputeRoster(Database& db, const RosterInput& in)
{
    // The team's roster rows in table order, each with the first People row of
    // its person; a row whose person is missing has a Null PersonNumber.
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT r.PlayerIndicator, r.UniformNumber, r.notes AS RosterNotes, p.PersonNumber, "
                       "p.FirstName, p.LastName, p.Address1, p.Address2, p.City, p.State, p.Zip, p.HomePhone, "
                       "p.WorkPhone, p.EmailAddress, p.BirthDate "
                       "FROM Roster r LEFT JOIN People p "
                       "ON p.rowid = (SELECT min(rowid) FROM People WHERE PersonNumber = r.PersonNumber) "
                       "WHERE r.TeamNumber = ? ORDER BY r.rowid"),
        {int(in.team)});
    if (rs.eof())
        return {QStringLiteral("No Players on Roster")};
    QStringList out;
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.value(QStringLiteral("PlayerIndicator")).toInt() == 0 || rs.isNull(QStringLiteral("PersonNumber")))
            continue;
        addBlock(out, rs, in);
    }
    return out;
}

}  // namespace vh
