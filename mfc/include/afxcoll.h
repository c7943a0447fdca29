// afxcoll.h - the non-template collections, built on the templates of
// afxtempl.h. Those that MFC archives have Serialize with MFC's layout (a
// count, then the elements; maps: key then value per entry); the pointer
// collections (CPtrArray, CPtrList, CMapPtrToPtr, CMapStringToPtr,
// CMapPtrToWord, CMapWordToPtr) store nothing.
#ifndef PELLUCOR_AFXCOLL_H
#define PELLUCOR_AFXCOLL_H

#include "afx.h"
#include "afxtempl.h"

// (afxtempl.h includes this file after its templates; whichever of the two
// is included first, the templates are complete before the classes below.)

typedef CArray<CString, const CString&> CStringArrayBase;
typedef CArray<BYTE, BYTE> CByteArrayBase;
typedef CArray<WORD, WORD> CWordArrayBase;
typedef CArray<DWORD, DWORD> CDWordArrayBase;
typedef CArray<UINT, UINT> CUIntArrayBase;
typedef CArray<void*, void*> CPtrArrayBase;
typedef CArray<CObject*, CObject*> CObArrayBase;
typedef CList<CString, const CString&> CStringListBase;
typedef CList<void*, void*> CPtrListBase;
typedef CList<CObject*, CObject*> CObListBase;
typedef CMap<CString, LPCSTR, CString, LPCSTR> CMapStringToStringBase;
typedef CMap<CString, LPCSTR, void*, void*> CMapStringToPtrBase;
typedef CMap<CString, LPCSTR, CObject*, CObject*> CMapStringToObBase;
typedef CMap<void*, void*, void*, void*> CMapPtrToPtrBase;
typedef CMap<void*, void*, WORD, WORD> CMapPtrToWordBase;
typedef CMap<WORD, WORD, void*, void*> CMapWordToPtrBase;
typedef CMap<WORD, WORD, CObject*, CObject*> CMapWordToObBase;

// Serial collections archive through the template; the pointer ones store
// nothing (a pointer means nothing in another process).
#define AFX_COLLECTION_BODY_true(class_name, base) \
    DECLARE_SERIAL(class_name) \
public: \
    void Serialize(CArchive& ar) override { base::Serialize(ar); }
#define AFX_COLLECTION_BODY_false(class_name, base) \
    DECLARE_DYNAMIC(class_name) \
public: \
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }

#define AFX_DECLARE_COLLECTION(class_name, base, serial) \
    class class_name : public base \
    { \
        AFX_COLLECTION_BODY_##serial(class_name, base) \
        class_name() {} \
    };

#define AFX_DECLARE_LIST(class_name, base, serial) \
    class class_name : public base \
    { \
        AFX_COLLECTION_BODY_##serial(class_name, base) \
        explicit class_name(INT_PTR nBlockSize = 10) : base(nBlockSize) {} \
    };

// Arrays
AFX_DECLARE_COLLECTION(CStringArray, CStringArrayBase, true)
AFX_DECLARE_COLLECTION(CByteArray, CByteArrayBase, true)
AFX_DECLARE_COLLECTION(CWordArray, CWordArrayBase, true)
AFX_DECLARE_COLLECTION(CDWordArray, CDWordArrayBase, true)
AFX_DECLARE_COLLECTION(CUIntArray, CUIntArrayBase, true)
AFX_DECLARE_COLLECTION(CPtrArray, CPtrArrayBase, false)
AFX_DECLARE_COLLECTION(CObArray, CObArrayBase, true)

// Lists
AFX_DECLARE_LIST(CStringList, CStringListBase, true)
AFX_DECLARE_LIST(CPtrList, CPtrListBase, false)
AFX_DECLARE_LIST(CObList, CObListBase, true)

// Maps
AFX_DECLARE_LIST(CMapStringToString, CMapStringToStringBase, true)
AFX_DECLARE_LIST(CMapStringToPtr, CMapStringToPtrBase, false)
AFX_DECLARE_LIST(CMapStringToOb, CMapStringToObBase, true)
AFX_DECLARE_LIST(CMapPtrToPtr, CMapPtrToPtrBase, false)
AFX_DECLARE_LIST(CMapPtrToWord, CMapPtrToWordBase, false)
AFX_DECLARE_LIST(CMapWordToPtr, CMapWordToPtrBase, false)
AFX_DECLARE_LIST(CMapWordToOb, CMapWordToObBase, true)

#undef AFX_DECLARE_COLLECTION
#undef AFX_DECLARE_LIST
#undef AFX_COLLECTION_BODY_true
#undef AFX_COLLECTION_BODY_false

#endif // PELLUCOR_AFXCOLL_H
