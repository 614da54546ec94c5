#include "platform/RuntimeError.h"
#include "platform/db/Database.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vh;

namespace {
const QString kConnect = QStringLiteral(";PWD=secret12");
const QString kSchema = QStringLiteral(
    "CREATE TABLE T (Num SMALLINT, Big INTEGER, Name VARCHAR(5) COLLATE NOCASE, Flag BOOLEAN, Day DATE, "
    "Memo LONGTEXT, Rate FLOAT);");

template <typename F>
int errorNumberOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}
}  // namespace

class TstDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Database> db_;

    void addRow(int num, const QString& name)
    {
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        rs.addNew();
        rs.setValue(QStringLiteral("Num"), num);
        rs.setValue(QStringLiteral("Name"), name);
        rs.update();
    }

private slots:
    void init()
    {
        path_ = dir_.path() + QStringLiteral("/t.mdb");
        Database::create(path_, kConnect, kSchema);
        db_ = Database::open(path_, kConnect);
    }
    void cleanup() { db_.reset(); }

    void tableRecordsetWalksRowsInTheOrderAdded()
    {
        for (int n : {5, 1, 3})
            addRow(n, QStringLiteral("n%1").arg(n));
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        QList<int> seen;
        for (; !rs.eof(); rs.moveNext())
            seen << rs.getInt(QStringLiteral("num"));  // field names ignore case
        QCOMPARE(seen, (QList<int>{5, 1, 3}));
        // A select without an order of its own keeps table order too.
        rs = db_->openRecordset(QStringLiteral("Select * from T where Num > 1"));
        QCOMPARE(rs.getInt(QStringLiteral("Num")), int16_t(5));
        rs.moveNext();
        QCOMPARE(rs.getInt(QStringLiteral("Num")), int16_t(3));
    }

    void valuesKeepTheirTypes()
    {
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        rs.addNew();
        rs.setValue(QStringLiteral("Num"), -32768);
        rs.setValue(QStringLiteral("Big"), 100000);
        rs.setValue(QStringLiteral("Flag"), true);
        rs.setValue(QStringLiteral("Day"), QStringLiteral("12/6/2026"));
        rs.setValue(QStringLiteral("Memo"), QString(5000, QLatin1Char('m')));
        rs.setValue(QStringLiteral("Rate"), 0.1);
        rs.setValue(QStringLiteral("Name"), QStringLiteral("abcd\U0001F600"));  // five characters fit five
        rs.update();
        rs = db_->openRecordset(QStringLiteral("T"));
        QCOMPARE(rs.getInt(QStringLiteral("Num")), int16_t(-32768));
        QCOMPARE(rs.getLong(QStringLiteral("Big")), 100000);
        QCOMPARE(rs.value(QStringLiteral("Flag")).toInt(), -1);  // Boolean true is -1
        QCOMPARE(rs.getDate(QStringLiteral("Day")), QDate(2026, 12, 6));
        QCOMPARE(rs.getText(QStringLiteral("Memo")).size(), 5000);
        QCOMPARE(rs.getText(QStringLiteral("Name")), QStringLiteral("abcd\U0001F600"));
        QCOMPARE(db_->scalar(QStringLiteral("select Day from T")).toString(), QStringLiteral("2026-12-06"));
        // Literals of the old engine are understood.
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T where Flag = True")).toInt(), 1);
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T where Day = #12/6/2026#")).toInt(), 1);
        QCOMPARE(db_->scalar(QStringLiteral("select max([Num]) as [result] from T")).toInt(), -32768);
    }

    void nullIsRefusedByTypedGetters()
    {
        addRow(1, QString());
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        QCOMPARE(errorNumberOf([&] { rs.getText(QStringLiteral("Day")); }), Err::InvalidUseOfNull);
        QCOMPARE(errorNumberOf([&] { rs.getInt(QStringLiteral("Big")); }), Err::InvalidUseOfNull);
        QCOMPARE(rs.textOr(QStringLiteral("Day"), QStringLiteral("-")), QStringLiteral("-"));
        QVERIFY(!rs.getDate(QStringLiteral("Day")).isValid());
        // An empty date text stores Null.
        rs.edit();
        rs.setValue(QStringLiteral("Day"), QString());
        rs.update();
        QVERIFY(rs.isNull(QStringLiteral("Day")));
    }

    void valuesThatDoNotFitAreRefused()
    {
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        rs.addNew();
        QCOMPARE(errorNumberOf([&] { rs.setValue(QStringLiteral("Num"), 40000); }), Err::Overflow);
        QCOMPARE(errorNumberOf([&] { rs.setValue(QStringLiteral("Name"), QStringLiteral("toolong")); }),
                 Err::FieldTooSmall);
        const QString tooLong(MemoMaxLength + 1, QLatin1Char('m'));
        QCOMPARE(errorNumberOf([&] { rs.setValue(QStringLiteral("Memo"), tooLong); }), Err::FieldTooSmall);
        QCOMPARE(errorNumberOf([&] { rs.setValue(QStringLiteral("Day"), QStringLiteral("not a date")); }),
                 Err::DataConversion);
        QCOMPARE(errorNumberOf([&] { rs.setValue(QStringLiteral("Nope"), 1); }), Err::ItemNotFound);
        rs.cancelUpdate();
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 0);
        // Nor does a disk without room: the error says so.
        db_->execute(QStringLiteral("PRAGMA max_page_count = ") + db_->scalar(QStringLiteral("PRAGMA page_count")).toString());
        QCOMPARE(errorNumberOf([&] { db_->execute(QStringLiteral("insert into T (Memo) values (?)"), {QString(90000, 'm')}); }),
                 Err::DiskFull);
    }

    // Each limit from both sides, as written and as another file's value is
    // judged before it is taken over.
    void fieldsHoldTheirLimitsAndNotOneMore()
    {
        const auto field = [&](const char* name) {
            for (const FieldInfo& f : db_->tableFields(QStringLiteral("T")))
                if (f.name == QLatin1String(name))
                    return f;
            return FieldInfo{};
        };
        const std::tuple<const char*, QVariant, int> cases[] = {
            {"Num", 32767, 0},
            {"Num", -32768, 0},
            {"Num", 32768, Err::Overflow},
            {"Num", -32769, Err::Overflow},
            {"Big", 2147483647, 0},
            {"Big", -2147483647 - 1, 0},
            {"Big", 2147483648LL, Err::Overflow},
            {"Big", -2147483649LL, Err::Overflow},
            {"Name", QStringLiteral("abcde"), 0},
            {"Name", QStringLiteral("abcdef"), Err::FieldTooSmall},
            {"Memo", QString(MemoMaxLength, QLatin1Char('m')), 0},
            {"Memo", QString(MemoMaxLength + 1, QLatin1Char('m')), Err::FieldTooSmall}};
        for (const auto& [name, value, error] : cases) {
            const QString what = QLatin1String(name) + QLatin1Char('=') + value.toString().left(8);
            Recordset rs = db_->openRecordset(QStringLiteral("T"));
            rs.addNew();
            QVERIFY2(errorNumberOf([&] { rs.setValue(QLatin1String(name), value); }) == error, qPrintable(what));
            rs.cancelUpdate();
            QVERIFY2(FieldMismatch(field(name), value).isEmpty() == (error == 0), qPrintable(what));
        }
    }

    // What another program stored is read as it is: a number too large for
    // its field whole, and bytes stored as text as bytes.
    void foreignValuesAreReadAsTheyAre()
    {
        db_->execute(QStringLiteral("insert into T (Num, Big, Name, Memo) values (4294967296, 4294967297, "
                                    "cast(x'00FF00FF' as text), 'a' || char(0))"));
        db_->execute(QStringLiteral("insert into T (Name, Memo) values ('ab' || char(65533), 'fine')"));
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        QCOMPARE(rs.value(QStringLiteral("Num")), QVariant(4294967296LL));
        QCOMPARE(errorNumberOf([&] { rs.getInt(QStringLiteral("Num")); }), Err::Overflow);
        QCOMPARE(errorNumberOf([&] { rs.getLong(QStringLiteral("Big")); }), Err::Overflow);
        QCOMPARE(rs.value(QStringLiteral("Name")), QVariant(QByteArray("\0\xFF\0\xFF", 4)));
        QCOMPARE(rs.value(QStringLiteral("Memo")).typeId(), QMetaType::QByteArray);
        QCOMPARE(FieldMismatch(rs.fields()[2], rs.value(QStringLiteral("Name"))), QStringLiteral("is binary data, not text"));
        rs.moveNext();
        QCOMPARE(rs.value(QStringLiteral("Name")), QVariant(QStringLiteral("ab\uFFFD")));
    }

    // A file with a write-ahead log: read, it leaves no side files; opened for
    // changes, it takes the rollback journal the program's copies rely on.
    void aWriteAheadLogIsNeitherLeftNorKept()
    {
        addRow(7, QStringLiteral("seven"));
        db_->execute(QStringLiteral("pragma journal_mode = wal"));
        db_.reset();
        const QStringList alone = QDir(dir_.path()).entryList(QDir::Files);
        auto reader = Database::open(path_, kConnect, Database::Access::ReadOnly);
        QCOMPARE(reader->scalar(QStringLiteral("select Name from T")).toString(), QStringLiteral("seven"));
        reader.reset();
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), alone);
        db_ = Database::open(path_, kConnect);
        QCOMPARE(db_->scalar(QStringLiteral("pragma journal_mode")).toString(), QStringLiteral("delete"));
        db_.reset();
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), alone);
        // A name a web address would read otherwise opens as it is.
        const QString odd = dir_.path() + QStringLiteral("/a?b#c%20 d.mdb");
        QVERIFY(QFile::copy(path_, odd));
        QCOMPARE(Database::open(odd, kConnect, Database::Access::ReadOnly)->scalar(QStringLiteral("select Num from T")).toInt(), 7);
    }

    void editAndDeleteThroughASelect()
    {
        for (int n : {1, 2, 3})
            addRow(n, QStringLiteral("n%1").arg(n));
        Recordset rs = db_->openRecordset(QStringLiteral("Select * from T where Num >= 2"));
        rs.edit();
        rs.setValue(QStringLiteral("Name"), QStringLiteral("two"));
        rs.update();
        rs.moveNext();
        rs.deleteRow();
        QVERIFY(!rs.eof());  // the deleted row stays current until the next move
        rs.moveNext();
        QVERIFY(rs.eof());
        QCOMPARE(db_->scalar(QStringLiteral("select Name from T where Num = 2")).toString(), QStringLiteral("two"));
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 2);
        // Deleting every row while walking.
        rs = db_->openRecordset(QStringLiteral("T"));
        while (!rs.eof()) {
            rs.deleteRow();
            rs.moveNext();
        }
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 0);
        // Names compare without regard to case.
        addRow(9, QStringLiteral("Oak"));
        QCOMPARE(db_->openRecordset(QStringLiteral("Select * from T where Name = 'OAK'")).recordCount(), 1);
        // A computed select can be read but not changed.
        rs = db_->openRecordset(QStringLiteral("select count(*) as n from T"));
        QCOMPARE(errorNumberOf([&] { rs.edit(); }), Err::NotUpdatable);
    }

    void userTextIsBoundNotPasted()
    {
        addRow(1, QStringLiteral("O'Ne\""));
        Recordset rs = db_->openRecordset(QStringLiteral("select * from T where Name = ?"), {QStringLiteral("o'ne\"")});
        QCOMPARE(rs.getText(QStringLiteral("Name")), QStringLiteral("O'Ne\""));
        QCOMPARE(db_->execute(QStringLiteral("update T set Num = ? where Name = ?"), {7, QStringLiteral("O'Ne\"")}), 1);
        // A prepared statement takes new values on every run.
        Statement st = db_->prepare(QStringLiteral("insert into T (Num) values (?)"));
        for (int i = 10; i < 20; ++i)
            st.run({i});
        Statement count = db_->prepare(QStringLiteral("select count(*) from T where Num < ?"));
        QCOMPARE(count.scalar({15}).toInt(), 6);
        QCOMPARE(count.scalar({20}).toInt(), 11);
    }

    void transactionsRollBackAndNest()
    {
        addRow(1, QStringLiteral("a"));
        {
            Transaction t(*db_);
            addRow(2, QStringLiteral("b"));
            {
                Transaction inner(*db_);
                addRow(3, QStringLiteral("c"));
            }  // inner rolled back
            QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 2);
        }  // outer rolled back
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 1);
        {
            Transaction t(*db_);
            addRow(4, QStringLiteral("d"));
            t.commit();
        }
        db_.reset();
        db_ = Database::open(path_, kConnect);
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 2);
    }

    void rowsStreamInOrderWithNullsAsZeroOrEmpty()
    {
        db_->execute(QStringLiteral("insert into T (Num, Name, Day, Flag) values (2, 'b', '2026-03-04', -1)"));
        db_->execute(QStringLiteral("insert into T (Num, Name, Day, Flag) values (1, NULL, NULL, NULL)"));
        QStringList seen;
        db_->forEachRow(QStringLiteral("select Num, Name, Day, Flag from T where Num >= ? order by Num"), {1},
                        [&](const RowView& r) {
                            seen << QStringLiteral("%1 %2 %3 %4 %5")
                                        .arg(r.integer(0))
                                        .arg(r.text(1), r.date(2).toString(Qt::ISODate))
                                        .arg(r.integer(3))
                                        .arg(r.isNull(1) ? QStringLiteral("null") : QStringLiteral("set"));
                        });
        QCOMPARE(seen, (QStringList{"1   0 null", "2 b 2026-03-04 -1 set"}));
        QVERIFY(errorNumberOf([&] { db_->forEachRow(QStringLiteral("select Nope from T"), {}, [](const RowView&) {}); }) != 0);
    }

    void openRefusesWrongPasswordAndForeignFiles()
    {
        db_.reset();
        QCOMPARE(errorNumberOf([&] { Database::open(path_, QStringLiteral(";PWD=other")); }), Err::InvalidPassword);
        QCOMPARE(errorNumberOf([&] { Database::open(path_); }), Err::InvalidPassword);
        QCOMPARE(errorNumberOf([&] { Database::open(dir_.path() + QStringLiteral("/missing.mdb"), kConnect); }),
                 Err::CannotFindFile);
        const QString junk = dir_.path() + QStringLiteral("/junk.mdb");
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QCOMPARE(errorNumberOf([&] { Database::open(junk, kConnect); }), Err::UnrecognizedFormat);
        QVERIFY(Database::open(path_, QStringLiteral(";pwd=secret12")) != nullptr);
    }

    void rowSetsOfAClosedDatabaseFailCleanly()
    {
        addRow(1, QStringLiteral("a"));
        Recordset rs = db_->openRecordset(QStringLiteral("T"));
        Statement st = db_->prepare(QStringLiteral("insert into T (Num) values (?)"));
        db_->close();
        QCOMPARE(errorNumberOf([&] { rs.moveNext(); }), 3420);
        QCOMPARE(errorNumberOf([&] { db_->openRecordset(QStringLiteral("T")); }), Err::ObjectNotSet);
        // Opened again in place: whoever holds the object goes on, what was
        // opened on the closed file does not.
        db_->reopen(path_, kConnect);
        QCOMPARE(errorNumberOf([&] { st.run({2}); }), 3420);
        QCOMPARE(errorNumberOf([&] { rs.moveFirst(); }), 3420);
        addRow(2, QStringLiteral("b"));
        QCOMPARE(db_->scalar(QStringLiteral("select count(*) from T")).toInt(), 2);
        QCOMPARE(errorNumberOf([&] { db_->openRecordset(QStringLiteral("NoSuchTable")); }), Err::TableNotFound);
    }

    void compactionKeepsRowsAndOrder()
    {
        for (int n : {5, 1, 3})
            addRow(n, QStringLiteral("n"));
        db_->execute(QStringLiteral("delete from T where Num = 1"));
        db_->close();
        const QString target = dir_.path() + QStringLiteral("/c.mdb");
        QFile::remove(target);
        Database::compact(path_, target, kConnect);
        QCOMPARE(errorNumberOf([&] { Database::compact(path_, target, kConnect); }), 3204);
        auto c = Database::open(target, kConnect);
        Recordset rs = c->openRecordset(QStringLiteral("T"));
        QCOMPARE(rs.getInt(QStringLiteral("Num")), int16_t(5));
        rs.moveNext();
        QCOMPARE(rs.getInt(QStringLiteral("Num")), int16_t(3));
        QCOMPARE(errorNumberOf([&] { Database::compact(path_, dir_.path() + QStringLiteral("/d.mdb"), QStringLiteral(";PWD=x")); }),
                 Err::InvalidPassword);
    }
};

VH_TEST_MAIN(TstDatabase)
#include "tst_database.moc"
