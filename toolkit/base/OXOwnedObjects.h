// Reading objects that a stored record owns. MFC's own reader makes whatever
// class a record names and trusts its counts; a record from a file or the
// registry is outside input, so these read only a new object of the class
// the caller expects (checked before anything is made: no back reference to
// an object read earlier, which would then have two owners) and arrays whose
// counts the archive could hold.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// A new object of pClass (or a class derived from it), or NULL for a null
// reference when bAllowNull. Anything else throws a CArchiveException.
CObject* OXReadOwnedObject(CArchive& ar, CRuntimeClass* pClass, BOOL bAllowNull);

// A CObArray written as an object (MFC's layout: class, count, elements),
// whose elements are new objects of pElementClass, none null; NULL for a
// null reference. A count the archive's bytes could not hold throws before
// anything is read.
CObArray* OXReadOwnedObArray(CArchive& ar, CRuntimeClass* pElementClass);

// Throws badIndex when nCount items of at least nMinBytes each could not be
// left in the archive's file.
void OXCheckCount(CArchive& ar, ULONGLONG nCount, UINT nMinBytes);

// Deletes every object of the array and the array.
void OXDeleteObArray(CObArray* pArray);
