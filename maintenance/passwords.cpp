#include "maintenance/passwords.h"

#include "core/strings.h"
#include "host/errors.h"
#include "host/prompt.h"
#include "maintenance/passwordhash.h"

namespace zmk {

namespace {

bool OnlyLettersAndDigits(const QString& text) {
    for (QChar c : text)
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    return true;
}

}  // namespace

void TTableUserRights::Set(TRight right, bool on) {
    if (right == Ver) {
        if (!on)
            for (bool& r : rights) r = false;
        rights[Ver] = on;
        return;
    }
    rights[right] = on;
    if (on) rights[Ver] = true;
}

int TTableUserRights::Value() const {
    return (rights[Ver] ? 1 : 0) | (rights[Anadir] ? 2 : 0) | (rights[Modificar] ? 4 : 0) |
           (rights[Borrar] ? 8 : 0);
}

void TTableUserRights::SetValue(int value) {
    for (int i = 0; i < 4; ++i) rights[i] = false;
    // Any right implies seeing the table, however the value was written.
    if (value & 2) Set(Anadir, true);
    if (value & 4) Set(Modificar, true);
    if (value & 8) Set(Borrar, true);
    if (value & 1) Set(Ver, true);
}

const TTableUserRights* TTablesUserRights::Find(const QString& table) const {
    for (const TTableUserRights& r : items_)
        if (r.table.compare(table, Qt::CaseInsensitive) == 0) return &r;
    return nullptr;
}

TTableUserRights& TTablesUserRights::Get(const QString& table) {
    for (TTableUserRights& r : items_)
        if (r.table.compare(table, Qt::CaseInsensitive) == 0) return r;
    items_.append(TTableUserRights{table});
    return items_.last();
}

bool TTablesUserRights::Allows(const QString& table, TTableUserRights::TRight right) const {
    const TTableUserRights* r = Find(table);
    return !r || r->Has(right);
}

TTablesUserRights TTablesUserRights::Parse(const QString& text) {
    TTablesUserRights list;
    for (const QString& entry : text.split(u',', Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf(u'=');
        if (eq <= 0) continue;
        bool ok = false;
        const int value = entry.mid(eq + 1).trimmed().toInt(&ok);
        if (!ok) continue;
        list.Get(entry.left(eq).trimmed()).SetValue(value);
    }
    return list;
}

QString TTablesUserRights::ToString() const {
    QStringList parts;
    for (const TTableUserRights& r : items_)
        parts << r.table + u'=' + QStringLiteral("%1").arg(r.Value(), 10, 10, QLatin1Char('0'));
    return parts.join(u',');
}

QString UserKind(int properties) {
    if (properties & kUserAdministrador) return SharedString(1570);
    if (properties & kUserEscritura) return SharedString(1571);
    return SharedString(1572);
}

bool IsDefaultUser(const QString& userName) {
    return userName.compare(TCustomZMKPasswords::DefaultUserName(), Qt::CaseInsensitive) == 0;
}

bool TCustomZMKPasswords::NeedUserName() {
    const bool need = ReadNeedUserName();
    if (need) EnsureDefaultUser();
    return need;
}

void TCustomZMKPasswords::SetNeedUserName(bool need) {
    WriteNeedUserName(need);
    if (need) EnsureDefaultUser();
}

QString TCustomZMKPasswords::Kind(const TUserValues& user) const {
    return UserKind(user.properties);
}

bool TCustomZMKPasswords::HasUser(const QString& userName) {
    if (userName.isEmpty()) return false;
    for (const QString& name : UserNames())
        if (name.compare(userName, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void TCustomZMKPasswords::EnsureDefaultUser() {
    if (HasUser(DefaultUserName())) return;
    const QString password = QStringLiteral("kiwop");
    AddUser(TUserValues{DefaultUserName(), password, DefaultUserName(), DefaultUserProperties()});
    Informa(SharedStringFmt(1560, {DefaultUserName(), password}));
}

void TCustomZMKPasswords::CheckValid(const QString& userName, const QString& password) {
    if (userName.isEmpty()) throw EZMKError(SharedString(1550));
    if (!OnlyLettersAndDigits(userName)) throw EZMKError(SharedString(1551));
    if (!OnlyLettersAndDigits(password)) throw EZMKError(SharedString(1552));
}

bool TCustomZMKPasswords::Login(const QString& userName, const QString& password) {
    current_ = TUserValues();
    if (userName.isEmpty()) return false;
    TUserValues user = HasUser(userName) ? GetUser(userName) : TUserValues();
    // An unknown name costs a hash too, so that the time taken tells nothing.
    if (user.IsEmpty()) {
        static const QString decoy = HashPassword(QStringLiteral("decoy"));
        PasswordMatches(decoy, password);
        return false;
    }
    if (!PasswordMatches(user.password, password)) return false;
    if (!IsPasswordHash(user.password)) {
        user.password = HashPassword(password);
        // A file that cannot be written now gets the hash at its next save.
        try {
            ModifyUser(user);
        } catch (const EZMKError&) {
        }
    }
    current_ = user;
    return true;
}

bool TCustomZMKPasswords::IsAdministrator() const {
    const int props = LoggedIn() ? current_.properties : EmptyUserProperties();
    return (props & kUserAdministrador) != 0;
}

bool TCustomZMKPasswords::MayWrite() const {
    const int props = LoggedIn() ? current_.properties : EmptyUserProperties();
    return (props & (kUserAdministrador | kUserEscritura)) != 0;
}

}  // namespace zmk
