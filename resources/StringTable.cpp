#include "StringTable.h"

#include "resource.h"

namespace {
struct Entry {
    unsigned id;
    const char* text;
};

const Entry kEntries[] = {
#define STRING(id, text) {id, text},
#include "strings.inc"
#undef STRING
};
}

const char* StringTableText(unsigned id)
{
    for (const Entry& e : kEntries)
        if (e.id == id) return e.text;
    return nullptr;
}
