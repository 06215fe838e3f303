#pragma once
// The users of one company database, in its options: "USER_NEED" (login required) and ten
// slots "USER_VALUE_1" ... "USER_VALUE_10" = name|password|full name|properties (ten digits),
// each with its table rights "USER_VALUE_n_TBLRIGHTS".
#include "maintenance/passwords.h"

namespace zmk {

class TDataBaseZMK;

class TZMKPasswordsDataBase : public TCustomZMKPasswords {
  public:
    static constexpr int kSlots = 10;
    // Over db (not owned); nullptr: the program's database.
    explicit TZMKPasswordsDataBase(TDataBaseZMK* db = nullptr);

    QStringList UserNames() override;
    TUserValues GetUser(const QString& userName) override;
    void AddUser(const TUserValues& user) override;
    void ModifyUser(const TUserValues& user) override;
    void DeleteUser(const QString& userName) override;
    QList<QPair<QString, int>> PropertyNames() const override;
    QString Title() const override { return QStringLiteral("Base de Datos"); }

    TTablesUserRights UserRights(const QString& userName);
    void SetUserRights(const QString& userName, const TTablesUserRights& rights);
    TDBUserValues GetDBUser(const QString& userName);
    // Adds or modifies the user and writes its rights, all or nothing.
    void SaveUser(const TUserValues& user, const TTablesUserRights& rights, bool add);

    // Every slot holding an older, typed password gets it as a hash; returns how many.
    int HashOlderPasswords();

    // The slot of a user (1 ... 10), 0 when none holds it.
    int SlotOf(const QString& userName);

    // A slot's text as read: name|password|full name|properties.
    static TUserValues ParseSlot(const QString& text);
    static QString SlotText(const TUserValues& user);

  protected:
    bool ReadNeedUserName() override;
    void WriteNeedUserName(bool need) override;
    int DefaultUserProperties() const override { return kUserAdministrador | kUserEscritura; }
    int EmptyUserProperties() const override { return kUserAdministrador | kUserEscritura; }

  private:
    QString SlotValue(int slot);
    void WriteSlot(int slot, const QString& text);
    TDataBaseZMK* db_;
};

}  // namespace zmk
