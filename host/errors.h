#pragma once
// Failures of the program: a refusal carries the user's text; a silent abort carries none.
#include <QString>
#include <exception>

namespace zmk {

class EZMKError : public std::exception {
  public:
    explicit EZMKError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const { return message_; }
    void SetMessage(const QString& message) {
        message_ = message;
        utf8_ = message_.toUtf8();
    }
    // The class name a user sees in re-raised messages ("Error al insertar registros (Tipo ...").
    virtual QString ClassName() const { return QStringLiteral("Exception"); }
    const char* what() const noexcept override { return utf8_.constData(); }

  private:
    QString message_;
    QByteArray utf8_;
};

class EDatabaseError : public EZMKError {
  public:
    using EZMKError::EZMKError;
    QString ClassName() const override { return QStringLiteral("EDatabaseError"); }
};

class EConvertError : public EZMKError {
  public:
    using EZMKError::EZMKError;
    QString ClassName() const override { return QStringLiteral("EConvertError"); }
};

// A user's "No" or "Cancelar": ends the operation, rolls back, shows nothing.
class EAbort : public std::exception {
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace zmk
