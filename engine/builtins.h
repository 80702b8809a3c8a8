#pragma once

// Adds the twelve built-in functions to the symbol table, in their fixed order: SIN, COS, TAN, LN,
// EXP, SQR, SQRT, ARCSIN, ARCCOS, ARCTAN, LOG10 (one argument) and POWER (two). Names already in
// the table are left as they are.
void RegisterBuiltins();
