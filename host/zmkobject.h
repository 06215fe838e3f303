#pragma once
// Objects that travel through the parameter block as integers ("PRMIP_..." and "PRME01"...).
// A handle stays valid while the object lives; a stale handle resolves to nothing.
#include <QString>

namespace zmk {

class TZMKObject {
  public:
    TZMKObject();
    TZMKObject(const TZMKObject&) = delete;
    TZMKObject& operator=(const TZMKObject&) = delete;
    virtual ~TZMKObject();

    int Handle() const { return handle_; }
    static TZMKObject* FromHandle(int handle);

    template <class T>
    static T* As(int handle) {
        return dynamic_cast<T*>(FromHandle(handle));
    }

  private:
    int handle_;
};

}  // namespace zmk
