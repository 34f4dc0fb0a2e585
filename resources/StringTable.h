// Portable lookup of the string table (the same texts the resource script
// compiles), for the command-line tools and tests that run without
// resources.
#pragma once

// The text of string id, or null when the table has no such id.
const char* StringTableText(unsigned id);
