// The document counter. Kept apart from the pending note so that test
// programs can link the counter alone.
#include "XDocument.h"

int g_nDocuments = 0;
