#include "parser_tables.h"

#include "calc_tables.inc"  // generated: the table definitions
