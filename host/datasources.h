#pragma once
// Data-source plug-ins: editors for a field's value that the screens create by name. A plug-in
// is handed the value as the parameter "PRMFIELDVALUE", shows its editor and hands the edited
// value back through the same parameter.
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

#include "host/parametres.h"
#include "host/zmkobject.h"

namespace zmk {

class TCustomZMKDataSourceAbstract : public TZMKObject {
  public:
    // The parameter through which a field's value travels in and out.
    static inline const QString kFieldValue = QStringLiteral("PRMFIELDVALUE");

    // The plug-in's own parameter block (names compare without regard to case).
    TParametres& Params() { return params_; }

    // Adds the parameters the plug-in works with, unassigned where missing.
    virtual void CreateParams() {}
    // Stores the value in the parameter block; plug-ins add their own reading of it.
    virtual void ParamsSetValor(const QString& name, const QVariant& value);
    // Reads the parameter block (Null when missing); plug-ins may answer from their own state.
    virtual QVariant ParamsGetValor(const QString& name);
    // Shows the editor for an action (empty: the field's editor); true when closed with OK.
    virtual bool Execute(const QString& action) = 0;

    // Edits a field's value the way the screens do: hands it over, shows the editor and, on
    // OK, takes the edited value back. Returns whether it was accepted.
    virtual bool Edit(QString& value);

  private:
    TParametres params_;
};

// Creates the plug-in for a name, or returns nullptr when it does not know the name.
using TZMKDataSourceCreator =
    std::function<std::unique_ptr<TCustomZMKDataSourceAbstract>(const QString& name)>;

// Registering a name again replaces its creator. Names compare without regard to case.
void ZMKDataSource_RegisterClassName(const QString& name, TZMKDataSourceCreator creator);
void ZMKDataSource_UnRegisterCreateClass(const QString& name);
// The plug-in's button shows the image of another class ("SEARCH" ...).
void ZMKDataSource_AddImageBitmapFromOtherClass(const QString& name, const QString& imageClass);
// The image class of a registered name; empty when none was given.
QString ZMKDataSource_ImageClass(const QString& name);

// The plug-in registered under name with its parameters created, or nullptr.
std::unique_ptr<TCustomZMKDataSourceAbstract> CreateZMKDataSource(const QString& name);

}  // namespace zmk
