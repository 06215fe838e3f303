#include "maintenance/usersession.h"

#include "core/empresas.h"
#include "core/strings.h"
#include "host/errors.h"
#include "maintenance/userrights.h"

namespace zmk {

namespace {

struct TSesion {
    TLoginFn login;
    bool activo = false;
    TUserValues usuario;
};

TSesion& Sesion() {
    static TSesion sesion;
    return sesion;
}

}  // namespace

void SetLoginHandler(TLoginFn login) {
    Sesion().login = std::move(login);
}

void CierraSesionBaseDatos() {
    Sesion().activo = false;
    Sesion().usuario = TUserValues();
    SetRightsProvider(nullptr);
}

bool IniciaSesionBaseDatos(TDataBaseZMK& db) {
    CierraSesionBaseDatos();
    TZMKPasswordsDataBase store(&db);
    if (!store.NeedUserName()) return false;
    if (!Sesion().login || !Sesion().login(store)) throw EZMKError(SharedString(1506));
    const TUserValues& user = store.CurrentUser();
    Sesion().activo = true;
    Sesion().usuario = user;
    SetRightsProvider(std::make_unique<TUserRightsProvider>(store.UserRights(user.userName),
                                                            store.IsAdministrator()));
    return !store.MayWrite();
}

bool EsGestorBaseDatos(TDataBaseZMK& db) {
    TZMKPasswordsDataBase store(&db);
    if (!store.NeedUserName()) return true;
    return Sesion().login && Sesion().login(store) && store.IsAdministrator();
}

void InstallUserHooks(TEmpresasHooks& hooks) {
    hooks.inicioSesion = [](TDataBaseZMK& db) { return IniciaSesionBaseDatos(db); };
    hooks.esAdministrador = [](TDataBaseZMK& db) { return EsGestorBaseDatos(db); };
}

bool LoginBaseDatosActivo() {
    return Sesion().activo;
}

const TUserValues& UsuarioBaseDatos() {
    return Sesion().usuario;
}

bool PuedeGestionarUsuarios() {
    return !Sesion().activo || (Sesion().usuario.properties & kUserAdministrador) != 0;
}

namespace {
TUserValues& LoginAplicacion() {
    static TUserValues usuario;
    return usuario;
}
}  // namespace

void FijaUsuarioAplicacion(const TUserValues& user) {
    LoginAplicacion() = user;
}

bool LoginAplicacionActivo() {
    return !LoginAplicacion().IsEmpty();
}

const TUserValues& UsuarioAplicacion() {
    return LoginAplicacion();
}

bool PuedeGestionarUsuariosAplicacion() {
    return !LoginAplicacionActivo() || IsDefaultUser(LoginAplicacion().userName);
}

TLoginFn LoginConCredenciales(const QString& userName, const QString& password) {
    return [userName, password](TCustomZMKPasswords& store) {
        if (userName.isEmpty())
            throw EZMKError(SharedString(1506) +
                            QStringLiteral("\nLa base de datos pide usuario y contraseña: "
                                           "--user NOMBRE --password CONTRASEÑA"));
        if (!store.Login(userName, password)) throw EZMKError(SharedString(1850));
        return true;
    };
}

}  // namespace zmk
