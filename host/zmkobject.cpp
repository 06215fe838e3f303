#include "host/zmkobject.h"

#include <QHash>

namespace zmk {
namespace {
QHash<int, TZMKObject*>& Registry() {
    static QHash<int, TZMKObject*> registry;
    return registry;
}
int next_handle = 1000;
}  // namespace

TZMKObject::TZMKObject() : handle_(next_handle++) {
    Registry().insert(handle_, this);
}

TZMKObject::~TZMKObject() {
    Registry().remove(handle_);
}

TZMKObject* TZMKObject::FromHandle(int handle) {
    if (handle <= 0) return nullptr;
    return Registry().value(handle, nullptr);
}

}  // namespace zmk
