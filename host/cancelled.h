#pragma once
#include "host/errors.h"

namespace zmk {

// A user's "No" that the program answers with a message ("Proceso cancelado"): shown like any
// refusal, but nothing failed, and escolia-cli tells it apart (exit status 3).
class ECancelled : public EZMKError {
  public:
    using EZMKError::EZMKError;
};

}  // namespace zmk
