#pragma once

#include "runtime/exceptions.h"

// The expression engine's own exception: a function registered wrongly ("Invalid Function"), or a
// component's value read while it holds no valid result.
class ECalcException : public Exception {
public:
  using Exception::Exception;
};
