#include "host/datasources.h"

#include <algorithm>
#include <vector>

namespace zmk {
namespace {

struct TRegistro {
    QString name;
    TZMKDataSourceCreator creator;
    QString imageClass;
};

std::vector<TRegistro>& Registros() {
    static std::vector<TRegistro> registros;
    return registros;
}

TRegistro* Busca(const QString& name) {
    auto& registros = Registros();
    auto it = std::find_if(registros.begin(), registros.end(), [&](const TRegistro& r) {
        return r.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == registros.end() ? nullptr : &*it;
}

}  // namespace

void TCustomZMKDataSourceAbstract::ParamsSetValor(const QString& name, const QVariant& value) {
    params_.SetParametreValue(name, value);
}

QVariant TCustomZMKDataSourceAbstract::ParamsGetValor(const QString& name) {
    return params_.GetParametreValue(name);
}

bool TCustomZMKDataSourceAbstract::Edit(QString& value) {
    ParamsSetValor(kFieldValue, value);
    if (!Execute(QString())) return false;
    value = ParamsGetValor(kFieldValue).toString();
    return true;
}

void ZMKDataSource_RegisterClassName(const QString& name, TZMKDataSourceCreator creator) {
    if (TRegistro* r = Busca(name)) {
        r->creator = std::move(creator);
        return;
    }
    Registros().push_back(TRegistro{name, std::move(creator), QString()});
}

void ZMKDataSource_UnRegisterCreateClass(const QString& name) {
    auto& registros = Registros();
    std::erase_if(registros, [&](const TRegistro& r) {
        return r.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

void ZMKDataSource_AddImageBitmapFromOtherClass(const QString& name, const QString& imageClass) {
    if (TRegistro* r = Busca(name)) r->imageClass = imageClass;
}

QString ZMKDataSource_ImageClass(const QString& name) {
    const TRegistro* r = Busca(name);
    return r ? r->imageClass : QString();
}

std::unique_ptr<TCustomZMKDataSourceAbstract> CreateZMKDataSource(const QString& name) {
    const TRegistro* r = Busca(name);
    if (!r || !r->creator) return nullptr;
    auto dataSource = r->creator(name);
    if (dataSource) dataSource->CreateParams();
    return dataSource;
}

}  // namespace zmk
