#include "host/forms/controlclasses.h"

#include <vector>

namespace zmk {

namespace {

struct TClase {
    int kind;
    QString name;
    TControlFactory factory;
};

std::vector<TClase>& Clases() {
    static std::vector<TClase> clases;
    return clases;
}

}  // namespace

void RegistraClasse(int kind, const QString& className, TControlFactory factory) {
    for (TClase& c : Clases())
        if (c.name.compare(className, Qt::CaseInsensitive) == 0) {
            c.kind = kind;
            c.factory = std::move(factory);
            return;
        }
    Clases().push_back({kind, className, std::move(factory)});
}

void UnRegistraClasse(const QString& className) {
    std::erase_if(Clases(), [&](const TClase& c) {
        return c.name.compare(className, Qt::CaseInsensitive) == 0;
    });
}

TControlFactory ClaseControl(const QString& className) {
    for (const TClase& c : Clases())
        if (c.name.compare(className, Qt::CaseInsensitive) == 0) return c.factory;
    return {};
}

}  // namespace zmk
