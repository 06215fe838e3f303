#include "maintenance/passwordsdatabase.h"

#include "core/parametrosapp.h"
#include "host/app.h"
#include "host/database.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "host/transactionguard.h"
#include "maintenance/passwordhash.h"

namespace zmk {

namespace {

const QString kNeed = QStringLiteral("USER_NEED");

QString SlotName(int slot) {
    return QStringLiteral("USER_VALUE_") + QString::number(slot);
}

QString RightsName(int slot) {
    return SlotName(slot) + QStringLiteral("_TBLRIGHTS");
}

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

}  // namespace

TZMKPasswordsDataBase::TZMKPasswordsDataBase(TDataBaseZMK* db) : db_(db) {}

namespace {
TParametrosApp Options(TDataBaseZMK* db) {
    TParametrosApp options;
    options.SetDataBase(db ? db : &DefaultDB());
    options.SetExactNames(true);
    return options;
}
}  // namespace

bool TZMKPasswordsDataBase::ReadNeedUserName() {
    return Options(db_).AsBoolean(kNeed, false);
}

void TZMKPasswordsDataBase::WriteNeedUserName(bool need) {
    Options(db_).SetValue(kNeed, need);
}

QString TZMKPasswordsDataBase::SlotValue(int slot) {
    return Options(db_).AsString(SlotName(slot), QString());
}

void TZMKPasswordsDataBase::WriteSlot(int slot, const QString& text) {
    TParametrosApp options = Options(db_);
    if (options.ValueColumnOf(SlotName(slot)).isEmpty())
        options.DefineParametro(SlotName(slot), QString(), text, tpTexto);
    else
        options.SetValue(SlotName(slot), text);
}

TUserValues TZMKPasswordsDataBase::ParseSlot(const QString& text) {
    const QStringList parts = text.split(u'|');
    TUserValues user;
    user.userName = parts.value(0);
    user.password = parts.value(1);
    user.fullName = parts.value(2);
    bool ok = false;
    const int props = parts.value(3).trimmed().toInt(&ok);
    user.properties = ok ? props : 0;
    return user;
}

QString TZMKPasswordsDataBase::SlotText(const TUserValues& user) {
    return user.userName + u'|' + StoredPassword(user.password) + u'|' + user.fullName + u'|' +
           QStringLiteral("%1").arg(user.properties, 10, 10, QLatin1Char('0'));
}

int TZMKPasswordsDataBase::SlotOf(const QString& userName) {
    if (userName.isEmpty()) return 0;
    for (int slot = 1; slot <= kSlots; ++slot)
        if (ParseSlot(SlotValue(slot)).userName.compare(userName, Qt::CaseInsensitive) == 0)
            return slot;
    return 0;
}

QStringList TZMKPasswordsDataBase::UserNames() {
    QStringList names;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const QString name = ParseSlot(SlotValue(slot)).userName;
        if (!name.isEmpty()) names << name;
    }
    return names;
}

TUserValues TZMKPasswordsDataBase::GetUser(const QString& userName) {
    const int slot = SlotOf(userName);
    return slot ? ParseSlot(SlotValue(slot)) : TUserValues();
}

TDBUserValues TZMKPasswordsDataBase::GetDBUser(const QString& userName) {
    TDBUserValues user;
    static_cast<TUserValues&>(user) = GetUser(userName);
    if (!user.IsEmpty()) user.tableRights = UserRights(userName);
    return user;
}

namespace {
// The built-in administrator keeps its properties whatever the editor says.
TUserValues KeepAdministrator(TUserValues user) {
    const int full = kUserAdministrador | kUserEscritura;
    if (IsDefaultUser(user.userName) && user.properties != full) {
        user.properties = full;
        Informa(QStringLiteral("El usuario ") + Quoted(user.userName) +
                QStringLiteral(" es el ADMINISTRADOR\nde la base de datos y solamente puede\n"
                               "cambiar su contraseña, no sus propiedades."));
    }
    return user;
}
}  // namespace

void TZMKPasswordsDataBase::AddUser(const TUserValues& user) {
    if (SlotOf(user.userName))
        throw EZMKError(QStringLiteral("Ya existe el usuario ") + Quoted(user.userName));
    int free = 0;
    for (int slot = 1; slot <= kSlots && !free; ++slot)
        if (ParseSlot(SlotValue(slot)).userName.isEmpty()) free = slot;
    if (!free) throw EZMKError(QStringLiteral("No puede crear más usuarios"));
    const QString text = SlotText(KeepAdministrator(user));
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    WriteSlot(free, text);
    HashOlderPasswords();
    guard.Commit();
}

void TZMKPasswordsDataBase::ModifyUser(const TUserValues& user) {
    const int slot = SlotOf(user.userName);
    if (!slot) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    const QString text = SlotText(KeepAdministrator(user));
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    WriteSlot(slot, text);
    HashOlderPasswords();
    guard.Commit();
}

void TZMKPasswordsDataBase::DeleteUser(const QString& userName) {
    if (IsDefaultUser(userName))
        throw EZMKError(QStringLiteral("No se puede borrar el usuario ") + Quoted(userName));
    const int slot = SlotOf(userName);
    if (!slot) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    TParametrosApp options = Options(db_);
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    options.SetValue(SlotName(slot), QString());
    if (!options.ValueColumnOf(RightsName(slot)).isEmpty())
        options.SetValue(RightsName(slot), QString());
    HashOlderPasswords();
    guard.Commit();
}

QList<QPair<QString, int>> TZMKPasswordsDataBase::PropertyNames() const {
    return {{QStringLiteral("Administrador"), kUserAdministrador},
            {QStringLiteral("Escritura"), kUserEscritura}};
}

TTablesUserRights TZMKPasswordsDataBase::UserRights(const QString& userName) {
    const int slot = SlotOf(userName);
    if (!slot) return TTablesUserRights();
    return TTablesUserRights::Parse(Options(db_).AsString(RightsName(slot), QString()));
}

void TZMKPasswordsDataBase::SetUserRights(const QString& userName,
                                          const TTablesUserRights& rights) {
    const int slot = SlotOf(userName);
    if (!slot) throw EZMKError(QStringLiteral("No puede modificar el usuario"));
    TParametrosApp options = Options(db_);
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    if (options.ValueColumnOf(RightsName(slot)).isEmpty())
        options.DefineParametro(
            RightsName(slot), QStringLiteral("Propiedades acceso usuario ") + QString::number(slot),
            rights.ToString(), tpMemo);
    else
        options.SetValue(RightsName(slot), rights.ToString());
    guard.Commit();
}

void TZMKPasswordsDataBase::SaveUser(const TUserValues& user, const TTablesUserRights& rights,
                                     bool add) {
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    if (add)
        AddUser(user);
    else
        ModifyUser(user);
    SetUserRights(user.userName, rights);
    guard.Commit();
}

int TZMKPasswordsDataBase::HashOlderPasswords() {
    int changed = 0;
    TTransactionGuard guard(db_ ? *db_ : DefaultDB());
    for (int slot = 1; slot <= kSlots; ++slot) {
        const TUserValues user = ParseSlot(SlotValue(slot));
        if (user.IsEmpty() || IsPasswordHash(user.password)) continue;
        WriteSlot(slot, SlotText(user));
        ++changed;
    }
    guard.Commit();
    return changed;
}

}  // namespace zmk
