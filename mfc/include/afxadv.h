// afxadv.h - the framework's advanced classes: the dock state (declared
// with the other docking classes in afxext.h).
#pragma once

#include "afxext.h"
