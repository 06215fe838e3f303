#pragma once
// The users of the program and their passwords: a password store, kept in the settings store
// for the application as a whole (TZMKPasswordsZMKApp) or in a company database's options with
// per-table rights (TZMKPasswordsDataBase).
//
// Passwords are stored as salted hashes (maintenance/passwordhash.h). A record read from a store
// carries the stored form in `password`; a record handed to a store for writing carries either
// that stored form (kept) or a newly typed password (hashed).
#include <QList>
#include <QString>
#include <QStringList>

namespace zmk {

// Properties of a user: bit 0 administrator, bit 1 may write.
constexpr int kUserAdministrador = 1;
constexpr int kUserEscritura = 2;

struct TUserValues {
    QString userName;
    QString password;
    QString fullName;
    int properties = 0;

    bool IsEmpty() const { return userName.isEmpty(); }
};

// The rights of one user on one table: Ver, Añadir, Modificar, Borrar. Seeing is implied by any
// of the other three; taking it away takes the other three.
struct TTableUserRights {
    enum TRight { Ver = 0, Anadir = 1, Modificar = 2, Borrar = 3 };
    QString table;
    bool rights[4] = {true, true, true, true};

    bool Has(TRight right) const { return rights[right]; }
    void Set(TRight right, bool on);
    // View 1 + add 2 + modify 4 + delete 8.
    int Value() const;
    void SetValue(int value);
};

// A user's rights on the tables that have an entry; a table without one is not restricted.
class TTablesUserRights {
  public:
    const QList<TTableUserRights>& Items() const { return items_; }
    // The entry of table (case-insensitive), nullptr when it has none.
    const TTableUserRights* Find(const QString& table) const;
    TTableUserRights& Get(const QString& table);  // created fully allowed when missing
    bool Allows(const QString& table, TTableUserRights::TRight right) const;
    // "T01Alumnos=0000000005,T03Cursos=0000000015": an entry whose value is not a number is
    // ignored.
    static TTablesUserRights Parse(const QString& text);
    QString ToString() const;

  private:
    QList<TTableUserRights> items_;
};

struct TDBUserValues : TUserValues {
    TTablesUserRights tableRights;
};

class TCustomZMKPasswords {
  public:
    virtual ~TCustomZMKPasswords() = default;

    // Whether login is required; when it is, the built-in administrator is ensured.
    bool NeedUserName();
    void SetNeedUserName(bool need);

    virtual QStringList UserNames() = 0;
    // The user of that name (case-insensitive); an empty record when there is none.
    virtual TUserValues GetUser(const QString& userName) = 0;
    bool HasUser(const QString& userName);
    virtual void AddUser(const TUserValues& user) = 0;
    virtual void ModifyUser(const TUserValues& user) = 0;
    virtual void DeleteUser(const QString& userName) = 0;
    // Names of the editor's properties with their values.
    virtual QList<QPair<QString, int>> PropertyNames() const = 0;
    virtual QString Title() const = 0;
    QString Kind(const TUserValues& user) const;

    // Adds the built-in administrator when no user has its name, and tells the user so.
    void EnsureDefaultUser();
    // Refuses an empty name, a name or a password with other than letters and digits.
    static void CheckValid(const QString& userName, const QString& password);

    // Forgets the current user, then logs in when the name exists and the password is exactly
    // the stored one. A password of the older format is rewritten as a hash on success.
    bool Login(const QString& userName, const QString& password);
    const TUserValues& CurrentUser() const { return current_; }
    bool LoggedIn() const { return !current_.IsEmpty(); }
    bool IsAdministrator() const;
    bool MayWrite() const;

    static QString DefaultUserName() { return QStringLiteral("admin"); }

  protected:
    virtual bool ReadNeedUserName() = 0;
    virtual void WriteNeedUserName(bool need) = 0;
    virtual int DefaultUserProperties() const = 0;
    // The properties the store reports for nobody logged in.
    virtual int EmptyUserProperties() const { return 0; }
    TUserValues current_;
};

// The displayed kind of a set of properties.
QString UserKind(int properties);
// Whether a name is the built-in administrator's.
bool IsDefaultUser(const QString& userName);

}  // namespace zmk
