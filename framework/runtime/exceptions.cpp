#include "runtime/exceptions.h"

EInvalidOp::EInvalidOp() : Exception("Invalid floating point operation") {}

EZeroDivide::EZeroDivide() : Exception("Floating point division by zero") {}

EOverflow::EOverflow() : Exception("Floating point overflow") {}
