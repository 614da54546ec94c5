#include "platform/db/Database.h"

#include "platform/basic/Basic.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace vh {

namespace {

const char* const kInfoTable = "_DbInfo";

QString hashPassword(const QString& pwd)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(("velloran:" + pwd).toUtf8(), QCryptographicHash::Sha256).toHex());
}

[[noreturn]] void fail(int number, const QString& text) { throw RuntimeError(number, text); }

FieldType typeFromDecl(const char* decl, int& size)
{
    size = 0;
    if (!decl)
        return FieldType::Unknown;
    const QString t = QString::fromLatin1(decl).trimmed().toUpper();
    if (t == QLatin1String("SMALLINT"))
        return FieldType::Integer;
    if (t == QLatin1String("INTEGER") || t == QLatin1String("INT") || t == QLatin1String("LONG"))
        return FieldType::Long;
    if (t == QLatin1String("FLOAT") || t == QLatin1String("SINGLE") || t == QLatin1String("REAL"))
        return FieldType::Single;
    if (t == QLatin1String("DOUBLE"))
        return FieldType::Double;
    if (t == QLatin1String("BOOLEAN"))
        return FieldType::Boolean;
    if (t == QLatin1String("DATE") || t == QLatin1String("DATETIME"))
        return FieldType::Date;
    static const QRegularExpression declaredSize(QStringLiteral("\\((\\d+)\\)"));
    const auto m = declaredSize.match(t);
    if (t.startsWith(QLatin1String("VARCHAR"))) {
        if (m.hasMatch())
            size = m.captured(1).toInt();
        return FieldType::Text;
    }
    if (t.contains(QLatin1String("TEXT"))) {
        // A Memo field holds 64K characters unless its declaration says less:
        // far more than anyone types, and still few enough for a text box to
        // show at once.
        size = m.hasMatch() ? m.captured(1).toInt() : MemoMaxLength;
        return FieldType::Memo;
    }
    return FieldType::Unknown;
}

bool textFits(const FieldInfo& f, const QString& s)
{
    // Sizes count characters: one outside the basic plane (an emoji) is one.
    return (f.type != FieldType::Text && f.type != FieldType::Memo) || f.size <= 0 || CharCount(s) <= f.size;
}

// The text the bytes hold, or nothing when no text box could have typed them
// (a NUL, or no UTF-8).
std::optional<QString> decodeText(QByteArrayView bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return decoded;
}

QVariant readColumn(sqlite3_stmt* st, int col, FieldType type)
{
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const qlonglong v = sqlite3_column_int64(st, col);
        if (type == FieldType::Single || type == FieldType::Double)
            return double(v);
        if (type == FieldType::Text || type == FieldType::Memo)
            return QString::number(v);
        // A number too large for its field is read whole, never wrapped, so
        // that the checks and typed getters see it for what it is.
        return v >= INT32_MIN && v <= INT32_MAX ? QVariant(int(v)) : QVariant(v);
    }
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, col);
    case SQLITE_BLOB:
        // Bytes stay bytes: read as text they could pass for a name or a number.
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, col)), sqlite3_column_bytes(st, col));
    default: {
        const QByteArrayView bytes(reinterpret_cast<const char*>(sqlite3_column_text(st, col)),
                                   sqlite3_column_bytes(st, col));
        // Bytes stored as text that are no text stay bytes: decoded, they
        // would turn into other characters.
        const std::optional<QString> text = decodeText(bytes);
        if (!text)
            return bytes.toByteArray();
        const QString& s = *text;
        if (type == FieldType::Date) {
            QDate d = QDate::fromString(s.left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : QVariant(s);
        }
        return s;
    }
    }
}

void bindValue(Database& db, sqlite3_stmt* st, int idx, const QVariant& v)
{
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(st, idx);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(st, idx, v.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            rc = sqlite3_bind_int64(st, idx, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(st, idx, v.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray b = v.toDate().toString(Qt::ISODate).toUtf8();
            rc = sqlite3_bind_text(st, idx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray b = v.toString().toUtf8();
            rc = sqlite3_bind_text(st, idx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        db.raise(rc);
}

// Holds a prepared statement for the length of one call.
struct Stmt {
    sqlite3_stmt* st = nullptr;
    ~Stmt() { sqlite3_finalize(st); }
};

QString quoteIdent(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

}  // namespace

QString FieldMismatch(const FieldInfo& f, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    const bool isText = v.typeId() == QMetaType::QString;
    // Bytes are no value of any field, even when they spell one.
    const bool isBytes = v.typeId() == QMetaType::QByteArray;
    bool number = false;
    const double d = isBytes ? 0.0 : isText ? v.toString().trimmed().toDouble(&number) : v.toDouble(&number);
    switch (f.type) {
    case FieldType::Integer:
    case FieldType::Long: {
        const double limit = f.type == FieldType::Integer ? 32768.0 : 2147483648.0;
        if (!number)
            return QStringLiteral("is not a number");
        if (d != std::floor(d) || d < -limit || d > limit - 1)
            return QStringLiteral("is not a whole number from %1 to %2")
                .arg(QString::number(-limit, 'f', 0), QString::number(limit - 1, 'f', 0));
        return {};
    }
    case FieldType::Boolean:
        return number && (d == -1 || d == 0) ? QString() : QStringLiteral("is neither -1 (true) nor 0 (false)");
    case FieldType::Single:
    case FieldType::Double:
        return number && std::isfinite(d) ? QString() : QStringLiteral("is not a number");
    case FieldType::Date:
        if (v.typeId() == QMetaType::QDate ||
            (isText && QDate::fromString(v.toString().left(10), Qt::ISODate).isValid()))
            return {};
        return QStringLiteral("is not a date");
    case FieldType::Text:
    case FieldType::Memo:
        if (isBytes)
            return QStringLiteral("is binary data, not text");
        return textFits(f, v.toString()) ? QString() : QStringLiteral("is longer than %1 characters").arg(f.size);
    case FieldType::Unknown:
        return {};
    }
    return {};
}

// ---------------------------------------------------------------- Database

Database::~Database() { close(); }

QString Database::passwordOf(const QString& connect)
{
    static const QRegularExpression re(QStringLiteral("(?:^|;)\\s*PWD\\s*=([^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    auto m = re.match(connect);
    return m.hasMatch() ? m.captured(1) : QString();
}

sqlite3* Database::handle() const
{
    if (!db_)
        fail(Err::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
    return db_;
}

void Database::raise(int rc, const QString& context) const
{
    const QString msg = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int primary = rc & 0xff;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        fail(Err::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path_));
    // SQLite tells only ENOSPC as a full disk; a quota or a file size limit
    // leaves no room either.
    if (primary == SQLITE_FULL || (primary == SQLITE_IOERR && db_ && NoRoomError(sqlite3_system_errno(db_))))
        throw DiskFullError(path_);
    if (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN)
        fail(Err::DiskIo, QStringLiteral("Disk or network error. (%1)").arg(msg));
    if (primary == SQLITE_READONLY)
        fail(Err::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        fail(Err::InUse, QStringLiteral("The database file is already in use by another program."));
    if (msg.startsWith(QLatin1String("no such table"))) {
        QString table = msg.mid(msg.indexOf(QLatin1Char(':')) + 1).trimmed();
        fail(Err::TableNotFound,
             QStringLiteral("The database engine cannot find the input table or query '%1'. Make sure it exists "
                            "and that its name is spelled correctly.")
                 .arg(table));
    }
    if (msg.startsWith(QLatin1String("no such column")))
        fail(Err::ItemNotFound, QStringLiteral("Item not found in this collection. (%1)").arg(msg));
    if (primary == SQLITE_ERROR)
        fail(Err::SqlSyntax, QStringLiteral("Syntax error in query expression '%1'. (%2)").arg(context, msg));
    fail(Err::Generic, msg);
}

std::unique_ptr<Database> Database::open(const QString& path, const QString& connect, Access access)
{
    std::unique_ptr<Database> db(new Database);
    db->openFile(path, connect, access);
    return db;
}

void Database::reopen(const QString& path, const QString& connect, Access access)
{
    close();
    openFile(path, connect, access);
}

void Database::openFile(const QString& path, const QString& connect, Access access)
{
    if (!QFileInfo(path).isFile())
        fail(Err::CannotFindFile, QStringLiteral("Could not find file '%1'.").arg(path));
    path_ = path;
    QByteArray p = QFile::encodeName(path);
    int flags = SQLITE_OPEN_READWRITE;
    if (access == Access::ReadOnly) {
        // A file only read is taken as it lies, without the side files a
        // write-ahead log would need: none is left beside the user's file,
        // and a file on read-only media opens the same.
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        p = QFile::encodeName(QFileInfo(path).absoluteFilePath());
        p = "file://" + p.toPercentEncoding("/") + "?immutable=1";
    }
    int rc = sqlite3_open_v2(p.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        fail(Err::CannotFindFile, QStringLiteral("Could not open file '%1'.").arg(path));
    }
    sqlite3_busy_timeout(db_, 2000);
    if (access == Access::ReadWrite && sqlite3_db_readonly(db_, "main") == 1) {
        close();
        fail(Err::NotUpdatable,
             QStringLiteral("The database '%1' is read-only and cannot be opened for changes.").arg(path));
    }
    // Reading the password row also proves the file is a database of ours.
    QString stored;
    bool found = false;
    try {
        Stmt s;
        rc = sqlite3_prepare_v2(db_, "SELECT Password FROM _DbInfo", -1, &s.st, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_step(s.st);
            if (rc == SQLITE_ROW) {
                stored = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0)));
                found = true;
            }
        }
        // A file held by another program, or a disk that fails, is no
        // damaged file: say what happened.
        if (!found && rc != SQLITE_DONE && (rc & 0xff) != SQLITE_ERROR)
            raise(rc);
    } catch (...) {
        close();
        throw;
    }
    if (!found) {
        close();
        fail(Err::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    }
    if (stored != hashPassword(passwordOf(connect))) {
        close();
        fail(Err::InvalidPassword, QStringLiteral("Not a valid password."));
    }
    execute(QStringLiteral("PRAGMA foreign_keys = OFF"));
    if (access == Access::ReadWrite) {
        // The program's own journal: a file brought in with a write-ahead log
        // would keep its newest changes beside it, where a copy of the file
        // alone misses them. Another connection may hold such a file; it
        // then works on as it is.
        try {
            execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
        } catch (const RuntimeError&) {
        }
    }
}

void Database::create(const QString& path, const QString& connect, const QString& schemaSql)
{
    QFile::remove(path);
    sqlite3* raw = nullptr;
    const QByteArray p = QFile::encodeName(path);
    int rc = sqlite3_open_v2(p.constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<Database> db(new Database);
    db->db_ = raw;
    db->path_ = path;
    if (rc != SQLITE_OK)
        db->raise(rc);
    Transaction t(*db);
    char* err = nullptr;
    const QByteArray sql = schemaSql.toUtf8();
    rc = sqlite3_exec(raw, sql.constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        fail(Err::Generic, QStringLiteral("Schema error: %1").arg(msg));
    }
    db->execute(QStringLiteral("CREATE TABLE _DbInfo (Password TEXT)"));
    db->execute(QStringLiteral("INSERT INTO _DbInfo (Password) VALUES (?)"), {hashPassword(passwordOf(connect))});
    t.commit();
    db->execute(QStringLiteral("VACUUM"));
}

void Database::compact(const QString& source, const QString& target, const QString& connect)
{
    if (QFileInfo::exists(target))
        fail(3204, QStringLiteral("Database '%1' already exists.").arg(target));
    auto db = open(source, connect);
    db->execute(QStringLiteral("VACUUM INTO ?"), {target});
    db->close();
}

void Database::close()
{
    if (!db_)
        return;
    *alive_ = false;
    alive_ = std::make_shared<bool>(true);
    if (depth_ > 0)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    sqlite3_close_v2(db_);
    db_ = nullptr;
    tableCache_.clear();
}

QString Database::translateSql(const QString& sql)
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Copy a quoted literal untouched; a doubled quote stays inside it.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('[')) {
            const qsizetype j = sql.indexOf(QLatin1Char(']'), i);
            if (j > i) {
                out += QLatin1Char('"') + sql.mid(i + 1, j - i - 1) + QLatin1Char('"');
                i = j + 1;
                continue;
            }
        }
        if (c == QLatin1Char('#')) {
            const qsizetype j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j > i) {
                auto d = ParseDate(sql.mid(i + 1, j - i - 1));
                if (d) {
                    out += QLatin1Char('\'') + d->toString(Qt::ISODate) + QLatin1Char('\'');
                    i = j + 1;
                    continue;
                }
            }
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            qsizetype j = i;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_')))
                ++j;
            const QString word = sql.mid(i, j - i);
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                out += QLatin1String("-1");
            else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                out += QLatin1String("0");
            else
                out += word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

void Database::prepareBound(sqlite3_stmt*& st, const QString& sql, const QString& source, const QVariantList& params)
{
    const QByteArray q = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(handle(), q.constData(), int(q.size()), &st, nullptr);
    if (rc != SQLITE_OK)
        raise(rc, source);
    for (int i = 0; i < params.size(); ++i)
        bindValue(*this, st, i + 1, params[i]);
}

int Database::execute(const QString& sql, const QVariantList& params)
{
    Stmt s;
    prepareBound(s.st, translateSql(sql), sql, params);
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        raise(rc, sql);
    return sqlite3_changes(handle());
}

QVariant Database::scalar(const QString& sql, const QVariantList& params)
{
    Stmt s;
    prepareBound(s.st, translateSql(sql), sql, params);
    const int rc = sqlite3_step(s.st);
    if (rc == SQLITE_ROW)
        return readColumn(s.st, 0, FieldType::Unknown);
    if (rc != SQLITE_DONE)
        raise(rc, sql);
    return {};
}

void CopyRows(Database& from, const QString& select, Database& to, const QString& insert)
{
    Stmt read;
    Stmt write;
    from.prepareBound(read.st, select, select);
    to.prepareBound(write.st, insert, insert);
    const int columns = sqlite3_column_count(read.st);
    int rc;
    while ((rc = sqlite3_step(read.st)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i)
            if (const int bound = sqlite3_bind_value(write.st, i + 1, sqlite3_column_value(read.st, i));
                bound != SQLITE_OK)
                to.raise(bound, insert);
        if (const int written = sqlite3_step(write.st); written != SQLITE_DONE)
            to.raise(written, insert);
        sqlite3_reset(write.st);
    }
    if (rc != SQLITE_DONE)
        from.raise(rc, select);
}

void Database::forEachRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const RowView&)>& row)
{
    Stmt s;
    prepareBound(s.st, translateSql(sql), sql, params);
    const RowView view(s.st);
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW)
        row(view);
    if (rc != SQLITE_DONE)
        raise(rc, sql);
}

bool RowView::isNull(int column) const { return sqlite3_column_type(st_, column) == SQLITE_NULL; }

long long RowView::integer(int column) const { return sqlite3_column_int64(st_, column); }

QString RowView::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, column)),
                             sqlite3_column_bytes(st_, column));
}

QVariant RowView::value(int column, FieldType type) const { return readColumn(st_, column, type); }

QDate RowView::date(int column) const
{
    return isNull(column) ? QDate() : QDate::fromString(text(column).left(10), Qt::ISODate);
}

Statement Database::prepare(const QString& sql)
{
    Statement st;
    prepareBound(st.stmt_, translateSql(sql), sql);
    st.db_ = this;
    st.alive_ = alive_;
    return st;
}

void Database::beginTrans()
{
    execute(QStringLiteral("SAVEPOINT vh_%1").arg(depth_ + 1));
    ++depth_;
}

void Database::commitTrans()
{
    if (depth_ <= 0)
        fail(3034, QStringLiteral("You tried to commit or rollback without first beginning a transaction."));
    execute(QStringLiteral("RELEASE vh_%1").arg(depth_));
    --depth_;
}

void Database::rollback()
{
    if (depth_ <= 0)
        fail(3034, QStringLiteral("You tried to commit or rollback without first beginning a transaction."));
    execute(QStringLiteral("ROLLBACK TO vh_%1").arg(depth_));
    execute(QStringLiteral("RELEASE vh_%1").arg(depth_));
    --depth_;
}

bool Database::tableExists(const QString& name)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                  {name})
               .toInt() > 0;
}

const std::vector<FieldInfo>& Database::tableFields(const QString& table)
{
    const QString key = table.toLower();
    auto it = tableCache_.find(key);
    if (it != tableCache_.end())
        return it->second;
    sqlite3* h = handle();
    Stmt s;
    const QByteArray q = QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoteIdent(table)).toUtf8();
    int rc = sqlite3_prepare_v2(h, q.constData(), int(q.size()), &s.st, nullptr);
    if (rc != SQLITE_OK)
        raise(rc, table);
    std::vector<FieldInfo> fields;
    for (int i = 0; i < sqlite3_column_count(s.st); ++i) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(s.st, i));
        f.type = typeFromDecl(sqlite3_column_decltype(s.st, i), f.size);
        fields.push_back(f);
    }
    return tableCache_.emplace(key, std::move(fields)).first->second;
}

// ---------------------------------------------------------------- Statement

Statement::Statement(Statement&& o) noexcept : stmt_(o.stmt_), db_(o.db_), alive_(std::move(o.alive_))
{
    o.stmt_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept
{
    if (this != &o) {
        sqlite3_finalize(stmt_);
        stmt_ = o.stmt_;
        db_ = o.db_;
        alive_ = std::move(o.alive_);
        o.stmt_ = nullptr;
    }
    return *this;
}

Statement::~Statement()
{
    // A statement that outlived its file's close keeps the closed connection
    // waiting; finalising it lets the connection go.
    sqlite3_finalize(stmt_);
}

void Statement::bindAll(const QVariantList& params)
{
    if (!stmt_ || alive_.expired() || !*alive_.lock())
        fail(3420, QStringLiteral("Object invalid or no longer set."));
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    for (int i = 0; i < params.size(); ++i)
        bindValue(*db_, stmt_, i + 1, params[i]);
}

int Statement::run(const QVariantList& params)
{
    bindAll(params);
    int rc;
    while ((rc = sqlite3_step(stmt_)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        db_->raise(rc);
    sqlite3_reset(stmt_);
    return sqlite3_changes(db_->db_);
}

QVariant Statement::scalar(const QVariantList& params)
{
    bindAll(params);
    int rc = sqlite3_step(stmt_);
    QVariant v;
    if (rc == SQLITE_ROW)
        v = readColumn(stmt_, 0, FieldType::Unknown);
    else if (rc != SQLITE_DONE)
        db_->raise(rc);
    sqlite3_reset(stmt_);
    return v;
}

// ---------------------------------------------------------------- Recordset

struct Recordset::Impl {
    Database* db = nullptr;
    std::weak_ptr<bool> alive;
    QString table;  // empty for a read-only row set
    std::vector<FieldInfo> fields;
    struct Row {
        qint64 rowid = 0;
        std::vector<QVariant> values;
        bool deleted = false;
    };
    std::vector<Row> rows;
    int pos = 0;  // -1 before the first row, rows.size() after the last
    enum class Mode { None, Edit, Add } mode = Mode::None;
    std::vector<QVariant> buffer;
    std::vector<bool> dirty;
    bool closed = false;

    Database& database() const
    {
        if (closed || !db || alive.expired() || !*alive.lock())
            fail(3420, QStringLiteral("Object invalid or no longer set."));
        return *db;
    }
    int fieldIndex(const QString& name) const
    {
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        fail(Err::ItemNotFound, QStringLiteral("Item not found in this collection. (%1)").arg(name));
    }
    void skipDeletedForward()
    {
        while (pos >= 0 && pos < int(rows.size()) && rows[pos].deleted)
            ++pos;
    }
    void skipDeletedBackward()
    {
        while (pos >= 0 && pos < int(rows.size()) && rows[pos].deleted)
            --pos;
    }
    const Row& current() const
    {
        if (pos < 0 || pos >= int(rows.size()) || rows[pos].deleted)
            fail(Err::NoCurrentRecord, QStringLiteral("No current record."));
        return rows[pos];
    }
    QVariant coerce(const FieldInfo& f, const QVariant& v) const;
};

QVariant Recordset::Impl::coerce(const FieldInfo& f, const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return {};
    auto numeric = [&](double& out) {
        if (v.typeId() == QMetaType::Bool) {
            out = v.toBool() ? -1 : 0;
            return true;
        }
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            bool ok = false;
            out = QLocale().toDouble(s, &ok);
            if (!ok)
                out = s.toDouble(&ok);
            return ok;
        }
        bool ok = false;
        out = v.toDouble(&ok);
        return ok;
    };
    const auto conversionError = [&]() -> QVariant {
        fail(Err::DataConversion, QStringLiteral("Data type conversion error. (%1)").arg(f.name));
    };
    switch (f.type) {
    case FieldType::Integer: {
        double d;
        if (!numeric(d))
            return conversionError();
        return int(CInt(d));
    }
    case FieldType::Long: {
        double d;
        if (!numeric(d))
            return conversionError();
        return int(CLng(d));
    }
    case FieldType::Single:
    case FieldType::Double: {
        double d;
        if (!numeric(d))
            return conversionError();
        return f.type == FieldType::Single ? double(float(d)) : d;
    }
    case FieldType::Boolean: {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed();
            if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || s.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0)
                return -1;
            if (s.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || s.compare(QLatin1String("No"), Qt::CaseInsensitive) == 0)
                return 0;
        }
        double d;
        if (!numeric(d))
            return conversionError();
        return d != 0 ? -1 : 0;
    }
    case FieldType::Date: {
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().isValid() ? QVariant(v.toDate()) : QVariant();
        if (v.typeId() == QMetaType::QDateTime)
            return v.toDateTime().date();
        const QString s = v.toString();
        if (s.trimmed().isEmpty())
            return {};
        QDate d = QDate::fromString(s.trimmed(), Qt::ISODate);
        if (!d.isValid()) {
            auto p = ParseDate(s);
            if (!p)
                return conversionError();
            d = *p;
        }
        return d;
    }
    case FieldType::Text:
    case FieldType::Memo: {
        QString s = v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15) : v.toString();
        if (!textFits(f, s))
            fail(Err::FieldTooSmall,
                 QStringLiteral("The field '%1' is too small to accept the amount of data you attempted to add.")
                     .arg(f.name));
        return s;
    }
    case FieldType::Unknown:
        return v;
    }
    return v;
}

Recordset::Recordset() : d(std::make_shared<Impl>()) { d->closed = true; }

Recordset Database::openRecordset(const QString& source, const QVariantList& params)
{
    Recordset rs;
    auto& d = *rs.d;
    d.db = this;
    d.alive = alive_;
    d.closed = false;

    const QString src = source.trimmed();
    static const QRegularExpression plainName(QStringLiteral("^\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?$"));
    static const QRegularExpression selectStar(
        QStringLiteral("^select\\s+\\*\\s+from\\s+\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?(\\s+(where|order)\\b.*)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString sql;
    bool withRowid = false;
    if (auto m = plainName.match(src); m.hasMatch()) {
        d.table = m.captured(1);
        sql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoteIdent(d.table));
        withRowid = true;
    } else if (auto m2 = selectStar.match(src); m2.hasMatch()) {
        d.table = m2.captured(1);
        QString rest = translateSql(m2.captured(2));
        // Without an order of its own the row set keeps table order.
        if (!rest.contains(QRegularExpression(QStringLiteral("\\border\\s+by\\b"), QRegularExpression::CaseInsensitiveOption)))
            rest += QStringLiteral(" ORDER BY rowid");
        sql = QStringLiteral("SELECT rowid, * FROM %1 %2").arg(quoteIdent(d.table), rest);
        withRowid = true;
    } else {
        sql = translateSql(src);
    }

    Stmt s;
    prepareBound(s.st, sql, source, params);
    int rc;
    const int first = withRowid ? 1 : 0;
    const int ncol = sqlite3_column_count(s.st);
    for (int i = first; i < ncol; ++i) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(s.st, i));
        f.type = typeFromDecl(sqlite3_column_decltype(s.st, i), f.size);
        d.fields.push_back(f);
    }
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        Recordset::Impl::Row row;
        row.rowid = withRowid ? sqlite3_column_int64(s.st, 0) : 0;
        row.values.reserve(d.fields.size());
        for (int i = first; i < ncol; ++i)
            row.values.push_back(readColumn(s.st, i, d.fields[size_t(i - first)].type));
        d.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        raise(rc, source);
    if (!withRowid)
        d.table.clear();
    d.pos = 0;
    return rs;
}

bool Recordset::isOpen() const { return !d->closed; }

void Recordset::close()
{
    d->closed = true;
    d->rows.clear();
    d->mode = Impl::Mode::None;
}

bool Recordset::eof() const
{
    d->database();
    // A row deleted through this row set stays current (and is not the end)
    // until the next move skips it.
    return d->pos >= int(d->rows.size());
}

bool Recordset::bof() const
{
    d->database();
    return d->pos < 0 || recordCount() == 0;
}

int Recordset::recordCount() const
{
    int n = 0;
    for (const auto& r : d->rows)
        n += r.deleted ? 0 : 1;
    return n;
}

void Recordset::moveFirst()
{
    d->database();
    if (d->mode != Impl::Mode::None)
        d->mode = Impl::Mode::None;
    if (recordCount() == 0)
        fail(Err::NoCurrentRecord, QStringLiteral("No current record."));
    d->pos = 0;
    d->skipDeletedForward();
}

void Recordset::moveNext()
{
    d->database();
    d->mode = Impl::Mode::None;
    if (d->pos >= int(d->rows.size()))
        fail(Err::NoCurrentRecord, QStringLiteral("No current record."));
    ++d->pos;
    d->skipDeletedForward();
}

void Recordset::movePrevious()
{
    d->database();
    d->mode = Impl::Mode::None;
    if (d->pos < 0)
        fail(Err::NoCurrentRecord, QStringLiteral("No current record."));
    --d->pos;
    d->skipDeletedBackward();
}

void Recordset::moveLast()
{
    d->database();
    d->mode = Impl::Mode::None;
    if (recordCount() == 0)
        fail(Err::NoCurrentRecord, QStringLiteral("No current record."));
    d->pos = int(d->rows.size()) - 1;
    d->skipDeletedBackward();
}

const std::vector<FieldInfo>& Recordset::fields() const { return d->fields; }

bool Recordset::hasField(const QString& name) const
{
    for (const auto& f : d->fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QVariant Recordset::value(const QString& field) const
{
    d->database();
    const int i = d->fieldIndex(field);
    if (d->mode != Impl::Mode::None)
        return d->buffer[size_t(i)];
    return d->current().values[size_t(i)];
}

bool Recordset::isNull(const QString& field) const
{
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

namespace {
[[noreturn]] void nullError() { fail(Err::InvalidUseOfNull, QStringLiteral("Invalid use of Null")); }
}  // namespace

int16_t Recordset::getInt(const QString& field) const { return CInt(getDouble(field)); }

int32_t Recordset::getLong(const QString& field) const { return CLng(getDouble(field)); }

double Recordset::getDouble(const QString& field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        nullError();
    if (v.typeId() == QMetaType::QString)
        return Val(v.toString());
    return v.toDouble();
}

bool Recordset::getBool(const QString& field) const { return getLong(field) != 0; }

QString Recordset::getText(const QString& field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        nullError();
    if (v.typeId() == QMetaType::QDate)
        return ShortDate(v.toDate());
    return v.toString();
}

int16_t Recordset::intOr(const QString& field, int16_t fallback) const
{
    return isNull(field) ? fallback : getInt(field);
}

QString Recordset::textOr(const QString& field, const QString& fallback) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return fallback;
    if (v.typeId() == QMetaType::QDate)
        return ShortDate(v.toDate());
    return v.toString();
}

QDate Recordset::getDate(const QString& field) const
{
    const QVariant v = value(field);
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    auto p = ParseDate(v.toString());
    return p ? *p : QDate();
}

void Recordset::edit()
{
    d->database();
    if (d->table.isEmpty())
        fail(Err::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    const auto& row = d->current();
    d->buffer = row.values;
    d->dirty.assign(d->fields.size(), false);
    d->mode = Impl::Mode::Edit;
}

void Recordset::addNew()
{
    d->database();
    if (d->table.isEmpty())
        fail(Err::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    d->buffer.assign(d->fields.size(), QVariant());
    d->dirty.assign(d->fields.size(), false);
    d->mode = Impl::Mode::Add;
}

void Recordset::setValue(const QString& field, const QVariant& value)
{
    d->database();
    if (d->mode == Impl::Mode::None)
        fail(Err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const int i = d->fieldIndex(field);
    d->buffer[size_t(i)] = d->coerce(d->fields[size_t(i)], value);
    d->dirty[size_t(i)] = true;
}

void Recordset::cancelUpdate() { d->mode = Impl::Mode::None; }

void Recordset::update()
{
    Database& db = d->database();
    if (d->mode == Impl::Mode::None)
        fail(Err::UpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    QStringList cols;
    QVariantList vals;
    for (size_t i = 0; i < d->fields.size(); ++i) {
        if (!d->dirty[i])
            continue;
        cols << quoteIdent(d->fields[i].name);
        const QVariant& v = d->buffer[i];
        vals << (v.typeId() == QMetaType::QDate ? QVariant(v.toDate().toString(Qt::ISODate)) : v);
    }
    if (d->mode == Impl::Mode::Edit) {
        auto& row = d->rows[size_t(d->pos)];
        if (!cols.isEmpty()) {
            QStringList sets;
            for (const QString& c : cols)
                sets << c + QStringLiteral(" = ?");
            vals << row.rowid;
            db.execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoteIdent(d->table), sets.join(QStringLiteral(", "))),
                       vals);
        }
        row.values = d->buffer;
    } else {
        QString sql;
        if (cols.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdent(d->table));
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteIdent(d->table), cols.join(QStringLiteral(", ")),
                           QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        db.execute(sql, vals);
        Impl::Row row;
        row.rowid = sqlite3_last_insert_rowid(db.handle());
        // Read the row back so that defaults of unwritten fields show.
        Stmt s;
        const QByteArray q = QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoteIdent(d->table)).toUtf8();
        int rc = sqlite3_prepare_v2(db.handle(), q.constData(), int(q.size()), &s.st, nullptr);
        if (rc != SQLITE_OK)
            db.raise(rc);
        sqlite3_bind_int64(s.st, 1, row.rowid);
        if (sqlite3_step(s.st) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(s.st) && size_t(i) < d->fields.size(); ++i)
                row.values.push_back(readColumn(s.st, i, d->fields[size_t(i)].type));
        } else {
            row.values = d->buffer;
        }
        d->rows.push_back(std::move(row));
    }
    d->mode = Impl::Mode::None;
}

void Recordset::deleteRow()
{
    Database& db = d->database();
    if (d->table.isEmpty())
        fail(Err::NotUpdatable, QStringLiteral("Cannot update. Database or object is read-only."));
    d->mode = Impl::Mode::None;
    auto& row = const_cast<Impl::Row&>(d->current());
    db.execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdent(d->table)), {row.rowid});
    row.deleted = true;
}

}  // namespace vh
