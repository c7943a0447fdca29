#include "OXOwnedObjects.h"

CObject* OXReadOwnedObject(CArchive& ar, CRuntimeClass* pClass, BOOL bAllowNull)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ar.ReadClass(pClass, &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag == 0 && bAllowNull)
            return NULL;
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    }
    CObject* pObject = pClassRef->CreateObject();
    if (pObject == NULL)
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    ar.MapObject(pObject);
    const UINT nSchemaSaved = ar.m_nObjectSchema;
    ar.m_nObjectSchema = nSchema;
    try {
        pObject->Serialize(ar);
    } catch (...) {
        ar.m_nObjectSchema = nSchemaSaved;
        delete pObject;
        throw;
    }
    ar.m_nObjectSchema = nSchemaSaved;
    return pObject;
}

void OXCheckCount(CArchive& ar, ULONGLONG nCount, UINT nMinBytes)
{
    // The archive reads ahead, so the file's position may be past what was
    // taken; the whole file is what the record can at most still hold.
    CFile* pFile = ar.GetFile();
    const ULONGLONG nBytes = pFile != NULL ? pFile->GetLength() : 0;
    if (nMinBytes == 0 || nCount > nBytes / nMinBytes)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}

void OXDeleteObArray(CObArray* pArray)
{
    if (pArray == NULL)
        return;
    for (INT_PTR i = 0; i < pArray->GetSize(); i++)
        delete pArray->GetAt(i);
    pArray->RemoveAll();
    delete pArray;
}

CObArray* OXReadOwnedObArray(CArchive& ar, CRuntimeClass* pElementClass)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ar.ReadClass(RUNTIME_CLASS(CObArray), &nSchema, &obTag);
    if (pClassRef == NULL) {
        if (obTag == 0)
            return NULL;
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    }
    if (pClassRef != RUNTIME_CLASS(CObArray))
        AfxThrowArchiveException(CArchiveException::badClass, ar.m_strFileName);
    CObArray* pArray = new CObArray;
    ar.MapObject(pArray);
    try {
        const DWORD_PTR nCount = ar.ReadCount();
        // Every element takes at least its two-byte tag.
        OXCheckCount(ar, nCount, 2);
        for (DWORD_PTR i = 0; i < nCount; i++) {
            CObject* pObject = OXReadOwnedObject(ar, pElementClass, FALSE);
            pArray->Add(pObject);
        }
    } catch (...) {
        OXDeleteObArray(pArray);
        throw;
    }
    return pArray;
}
