#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The database engine the gala, announcer and online-times files are used
// through: a database with stored parameter queries kept in the file itself,
// recordsets on queries and tables, fields by name (blanks allowed).
//
// Values are QVariant: invalid for null, QString for text, double or int for
// numbers, QDate for date fields, bool for yes/no fields. Date parameters and
// date fields also take a dd/mm/yy text and are converted here.

// Any failure of the engine; carries the engine's own message.
class EngineError : public std::runtime_error
{
public:
    explicit EngineError(const QString &message);
    QString message() const { return QString::fromStdString(what()); }
};

class Database;
class Recordset;

// A stored query with its named parameters; taken from Database::queryDef.
class QueryDef
{
public:
    void setParameter(const QString &name, const QVariant &value);
    Recordset openRecordset();

private:
    friend class Database;
    QueryDef(Database &db, QString sql, QStringList paramNames, QStringList paramTypes,
             QString baseTable);

    Database *m_db;
    QString m_sql;
    QStringList m_paramNames;
    QStringList m_paramTypes;
    QString m_baseTable;
    std::vector<QVariant> m_values;
};

// The records of a query or a table. Rows are read when first needed, so a
// table opened only to add rows costs nothing to open. Updatable when the
// source has a base table.
class Recordset
{
public:
    Recordset(Recordset &&) noexcept;
    Recordset &operator=(Recordset &&) noexcept;
    ~Recordset();

    int recordCount();
    void moveFirst();
    void moveNext();
    bool atEnd();

    // The current record's field; throws when the field does not exist.
    QVariant value(const QString &field);
    // Null read as "" and everything else as its text.
    QString text(const QString &field);

    void addNew();
    void edit();
    void setValue(const QString &field, const QVariant &value);
    void update();
    // Removes the current record; the caller then moves next.
    void remove();
    // The same for every record of the source at once, without reading them:
    // removes them all, or sets one field of them all.
    void removeAll();
    void setAll(const QString &field, const QVariant &value);
    void close();

    // Turns dd/mm/yy texts and dates into the stored form.
    struct DateMemo
    {
        QString iso(const QVariant &value, bool *ok);
        QString lastText;
        QString lastIso;
    };

private:
    friend class QueryDef;
    friend class Database;
    struct Columns;
    Recordset(Database &db, QString selectSql, std::vector<QVariant> params, QString baseTable);

    void load();
    // The source's select reduced to its rowids, for changes to every record.
    QString rowIdSelect() const;
    void runOnAll(const QString &sql, const QVariant *extra);
    int fieldIndex(const QString &field) const;
    void requireCurrent() const;
    void requireUpdatable() const;

    enum class Mode
    {
        None,
        Adding,
        Editing
    };

    Database *m_db;
    QString m_selectSql;
    std::vector<QVariant> m_params;
    QString m_baseTable;
    bool m_loaded = false;
    std::shared_ptr<const Columns> m_columns;
    mutable std::array<std::pair<QString, int>, 16> m_recentFields{};
    mutable int m_nextRecent = 0;
    std::vector<qint64> m_rowIds;
    std::vector<std::vector<QVariant>> m_rows;
    int m_pos = 0;
    Mode m_mode = Mode::None;
    std::vector<std::pair<QString, QVariant>> m_pending;
    // The base table's columns and the statement text of the last update,
    // kept so a run of rows with the same fields builds its SQL once.
    std::shared_ptr<const Columns> m_base;
    Mode m_sqlMode = Mode::None;
    std::vector<QString> m_sqlFields;
    QString m_sql;
    sqlite3_stmt *m_statement = nullptr;
    sqlite3_stmt *m_deleteStatement = nullptr;
    DateMemo m_dates;
};

// One open database file.
class Database
{
public:
    enum class Access
    {
        ReadWrite, // shared with other programs, as the desk uses its files
        ReadOnly   // for a program that only watches a file another one writes
    };
    // Opens an existing file; never creates one. A file another program
    // holds locked is waited for up to `busyTimeoutMs`, then refused.
    explicit Database(const QString &path, Access access = Access::ReadWrite,
                      int busyTimeoutMs = 2000);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    QString path() const { return m_path; }

    // True when the file begins as every database file of the engine does;
    // a file that does not can never be opened, whatever its name.
    static bool isDatabaseFile(const QString &path);

    QueryDef queryDef(const QString &name);
    Recordset openRecordset(const QString &table);

    // Runs several record changes as one step: all of them are stored, or
    // (when the Transaction is destroyed without commit) none of them.
    class Transaction
    {
    public:
        explicit Transaction(Database &db);
        ~Transaction();
        void commit();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        Database &m_db;
        bool m_done = false;
    };

    // Plain statements on the program's own tables (the save history), the
    // values bound to ?1, ?2 ... A QDate binds as the stored date form, a
    // QByteArray as a blob. Rows come back as stored: qint64, double,
    // QString (never a null one), QByteArray, or invalid for null.
    QList<QVariantList> select(const QString &sql, const QVariantList &params = {});
    void run(const QString &sql, const QVariantList &params = {});
    bool hasTable(const QString &name);
    // The rows of a select packed into bytes as stored, without a QVariant
    // per value (the save history keeps whole generations this way), and
    // the rows of such bytes back; unpack throws on bytes it cannot read.
    QByteArray selectPacked(const QString &sql, const QVariantList &params = {});
    static QList<QVariantList> unpack(const QByteArray &packed);

    // The engine's quick check of the file (integrity_check with `full`):
    // empty when the file is sound, else each fault it found.
    QStringList check(bool full = false);

    // Copies the whole database into the file `path` (created or replaced)
    // with the engine's online backup, so the copy is one consistent state.
    void backupTo(const QString &path);

    // For the tools that build the ready-made files and for tests.
    static std::unique_ptr<Database> create(const QString &path);
    void execute(const QString &sql);
    void addStoredQuery(const QString &name, const QString &sql, const QStringList &params,
                        const QString &baseTable);

private:
    friend class QueryDef;
    friend class Recordset;
    explicit Database(sqlite3 *handle, QString path);

    sqlite3_stmt *prepared(const QString &sql);
    sqlite3_stmt *bound(const QString &sql, const QVariantList &params);
    [[noreturn]] void fail(const QString &what) const;
    std::shared_ptr<const Recordset::Columns> columnsOf(const QString &table);

    sqlite3 *m_handle = nullptr;
    QString m_path;
    QHash<QString, sqlite3_stmt *> m_statements;
    QHash<QString, std::shared_ptr<const Recordset::Columns>> m_tableColumns;
};
