#pragma once

// The expression engine's start and end as a unit of the program. Creating an EngineUnit builds
// the symbol table with the built-in functions and puts the scanner in its reset state;
// destroying it frees every symbol. A program holds one for its whole run, created before any
// expression is evaluated.
class EngineUnit {
public:
  EngineUnit();
  ~EngineUnit();
  EngineUnit(const EngineUnit&) = delete;
  EngineUnit& operator=(const EngineUnit&) = delete;
};
