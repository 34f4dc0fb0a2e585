// The pending image and note that the next new image window adopts.
#include "XDocument.h"

XImage* g_pPendingImage = nullptr;
HGLOBAL g_hPendingNote = nullptr;
