// Holding a list box's drawing while many items change at once.
#pragma once

#include <afxwin.h>

// Drawing off and, since a list box still redraws its scroll bar for every
// item with drawing off, the list out of sight by its style bit alone (no
// focus or activation moves). FALSE, and nothing held, for a list that is
// not visible anyway.
BOOL OXHoldListDrawing(CWnd* pList);

// After a hold: the list back in sight and redrawn once, frame included.
void OXReleaseListDrawing(CWnd* pList);
