// afxpriv.h - the framework's classes that programs reach for less often:
// dock bars, the dock context, mini dock frames, bar state.
// They live with the other bars in afxext.h.
#pragma once

#include "afxext.h"
