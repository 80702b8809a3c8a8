#pragma once

#include <stdexcept>
#include <string>

// Base class of every exception the program raises on purpose. It carries a message (UTF-8 text)
// that the default handler shows to the user as it stands.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
  std::string Message() const { return what(); }
};

// Floating-point faults of the Extended arithmetic, raised at the operation that caused them.
class EInvalidOp : public Exception {
public:
  EInvalidOp();
};

class EZeroDivide : public Exception {
public:
  EZeroDivide();
};

class EOverflow : public Exception {
public:
  EOverflow();
};

// A resource that the system could not get.
class EOutOfMemory : public Exception {
public:
  using Exception::Exception;
};
