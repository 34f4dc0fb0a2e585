// The note that the next new image window takes over.
#include "XDocument.h"

HGLOBAL g_hPendingNote = nullptr;
