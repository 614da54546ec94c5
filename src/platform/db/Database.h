#pragma once
// The database layer: a password-checked database file with row sets opened on
// a table name or a select text, moved through, read and written by field name.
//
// The file format is SQLite's. A table row set walks rows in table order (the
// order they were added). Integer fields hold signed 16-bit values, Long 32-bit,
// Boolean -1 and 0, Date an ISO date text or Null, Memo at most 65535
// characters (or fewer, as declared) and Text(n) at most n characters: a value
// that does not fit is refused with the engine's error rather than stored cut
// or wrapped.
//
// Every failure is a RuntimeError with the engine's number and description.

#include "platform/RuntimeError.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vh {

enum class FieldType { Integer, Long, Single, Double, Boolean, Date, Text, Memo, Unknown };

constexpr int MemoMaxLength = 65535;

struct FieldInfo {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;  // the most characters a Text or Memo field holds; 0 for no limit
};

// Why a value read from another database, written as it is, would not be what
// this layer stores in the field: a text longer than the field, a number that
// is not whole or beyond the field's range, a value that is no number in a
// number field or no date in a date field, a Boolean other than -1 and 0,
// binary data in any field. Empty when it fits; Null always fits.
QString FieldMismatch(const FieldInfo& field, const QVariant& value);

class Recordset;
class RowView;
class Statement;

class Database {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // How a file is opened: for changes, or only to read it (a back-up or a
    // transfer file on a CD or a write-protected stick). Opened for changes,
    // a file written with a write-ahead log takes the rollback journal, and
    // the changes the log still holds go into the file. Read only, it is read
    // as it lies, without them, and nothing is written beside it: a file
    // whose log counts is read through a copy opened for changes first.
    enum class Access { ReadWrite, ReadOnly };
    // Opens an existing file, not exclusive. The connect string ";PWD=..."
    // must carry the password the file was made with.
    static std::unique_ptr<Database> open(const QString& path, const QString& connect = {},
                                          Access access = Access::ReadWrite);
    // Closes the file and opens `path` in this same object, so that every
    // window and procedure holding it goes on with the file opened now. Row
    // sets and statements of the closed file fail cleanly from then on.
    void reopen(const QString& path, const QString& connect, Access access = Access::ReadWrite);
    // Makes a new file from a schema text and gives it the connect string's
    // password; used to build the shipped empty databases.
    static void create(const QString& path, const QString& connect, const QString& schemaSql);
    // Compacts a closed file into a new file; the target must not exist yet.
    static void compact(const QString& source, const QString& target, const QString& connect);
    // The password of a connect string (";PWD=..."), empty when it has none.
    static QString passwordOf(const QString& connect);

    void close();
    bool isOpen() const { return db_ != nullptr; }
    const QString& path() const { return path_; }

    // A table name gives a table row set; a select text gives a row set that
    // can be edited when it selects every field of one table ("select * from").
    Recordset openRecordset(const QString& source, const QVariantList& params = {});
    // Runs an action query with bound parameters; returns the rows changed.
    int execute(const QString& sql, const QVariantList& params = {});
    // The first field of the first row, Null when there is none.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    Statement prepare(const QString& sql);
    // Runs a select and hands each row to `row` as it is read, keeping none:
    // for reports that fold many rows into a few figures.
    void forEachRow(const QString& sql, const QVariantList& params, const std::function<void(const RowView&)>& row);

    // Transactions nest; the outermost commit makes the changes durable and a
    // rollback at any depth undoes what that level did.
    void beginTrans();
    void commitTrans();
    void rollback();
    int transactionDepth() const { return depth_; }

    bool tableExists(const QString& name);
    // The fields of a table in their order, with their types.
    const std::vector<FieldInfo>& tableFields(const QString& table);

    sqlite3* handle() const;
    // The select text as the engine runs it (True/False literals as -1/0,
    // #date# literals as ISO text).
    static QString translateSql(const QString& sql);

    [[noreturn]] void raise(int rc, const QString& context = {}) const;
    // Prepares the engine's text `sql` into `st` and binds `params`; a
    // failure names `source`.
    void prepareBound(sqlite3_stmt*& st, const QString& sql, const QString& source, const QVariantList& params = {});

private:
    Database() = default;
    void openFile(const QString& path, const QString& connect, Access access);
    friend class Recordset;
    friend class Statement;
    sqlite3* db_ = nullptr;
    QString path_;
    int depth_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::map<QString, std::vector<FieldInfo>> tableCache_;
};

// Runs the select `select` on `from` and the insert `insert` on `to` once
// for each row, binding the row's columns in order as SQLite holds them (a
// whole number stays whole, text stays text, in the text encoding of `to`):
// rows go between files of different encodings, which cannot be attached.
void CopyRows(Database& from, const QString& select, Database& to, const QString& insert);

// Commits only when asked; rolls back when it goes out of scope otherwise, so
// that a failure half-way leaves the database as it was.
class Transaction {
public:
    explicit Transaction(Database& db) : db_(db) { db_.beginTrans(); }
    ~Transaction()
    {
        if (!done_) {
            try {
                db_.rollback();
            } catch (...) {
            }
        }
    }
    void commit()
    {
        db_.commitTrans();
        done_ = true;
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& db_;
    bool done_ = false;
};

// The current row of Database::forEachRow; columns by position from 0.
class RowView {
public:
    bool isNull(int column) const;
    long long integer(int column) const;  // Null reads 0
    QString text(int column) const;       // Null reads ""
    QDate date(int column) const;         // invalid for Null or a text that is no date
    // As Recordset::value reads a field of this type.
    QVariant value(int column, FieldType type) const;

private:
    friend class Database;
    explicit RowView(sqlite3_stmt* st) : st_(st) {}
    sqlite3_stmt* st_;
};

// A prepared statement for action queries run many times.
class Statement {
public:
    Statement() = default;
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();
    int run(const QVariantList& params = {});
    QVariant scalar(const QVariantList& params = {});

private:
    friend class Database;
    void bindAll(const QVariantList& params);
    sqlite3_stmt* stmt_ = nullptr;
    Database* db_ = nullptr;
    std::weak_ptr<bool> alive_;
};

class Recordset {
public:
    Recordset();
    bool isOpen() const;
    void close();

    bool eof() const;
    bool bof() const;
    int recordCount() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();

    const std::vector<FieldInfo>& fields() const;
    bool hasField(const QString& name) const;

    // Values of the current row (or of the row being edited). Null reads as an
    // invalid QVariant; binary data, and text holding a NUL or bytes that are
    // no UTF-8 (this layer writes neither), as a QByteArray; a whole number
    // whole, however large. The typed getters refuse Null (error 94).
    QVariant value(const QString& field) const;
    bool isNull(const QString& field) const;
    int16_t getInt(const QString& field) const;
    int32_t getLong(const QString& field) const;
    double getDouble(const QString& field) const;
    bool getBool(const QString& field) const;  // non-zero counts as true
    QString getText(const QString& field) const;
    QString textOr(const QString& field, const QString& fallback = {}) const;
    // The field's whole number, or `fallback` when it is Null.
    int16_t intOr(const QString& field, int16_t fallback = 0) const;
    QDate getDate(const QString& field) const;  // an invalid date for Null

    void edit();
    void addNew();
    void setValue(const QString& field, const QVariant& value);
    void setNull(const QString& field) { setValue(field, QVariant()); }
    void update();
    void cancelUpdate();
    void deleteRow();

private:
    friend class Database;
    struct Impl;
    std::shared_ptr<Impl> d;
};

}  // namespace vh
