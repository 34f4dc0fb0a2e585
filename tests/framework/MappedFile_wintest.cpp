// The same checks against the Windows mapping and its ReadFile path.
#include "MappedFile_test.cpp"
