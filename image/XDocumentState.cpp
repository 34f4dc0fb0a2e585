// The document counter. Kept apart from the pending image and note so that
// test programs can supply their own pending image.
#include "XDocument.h"

int g_nDocuments = 0;
