#include "OXSHBGroupSet.h"

#include <mbstring.h>

void AFXAPI OXCopyLogFont(LOGFONT* pDest, const LOGFONT* pSource)
{
    // Field by field, so that whatever follows a face name without its NUL
    // is never read.
    pDest->lfHeight = pSource->lfHeight;
    pDest->lfWidth = pSource->lfWidth;
    pDest->lfEscapement = pSource->lfEscapement;
    pDest->lfOrientation = pSource->lfOrientation;
    pDest->lfWeight = pSource->lfWeight;
    pDest->lfItalic = pSource->lfItalic;
    pDest->lfUnderline = pSource->lfUnderline;
    pDest->lfStrikeOut = pSource->lfStrikeOut;
    pDest->lfCharSet = pSource->lfCharSet;
    pDest->lfOutPrecision = pSource->lfOutPrecision;
    pDest->lfClipPrecision = pSource->lfClipPrecision;
    pDest->lfQuality = pSource->lfQuality;
    pDest->lfPitchAndFamily = pSource->lfPitchAndFamily;
    memcpy(pDest->lfFaceName, pSource->lfFaceName, LF_FACESIZE);
    pDest->lfFaceName[LF_FACESIZE - 1] = '\0';
}

void AFXAPI OXCopyDescriptorFields(SHB_DESCRIPTOR* pDest, const SHB_DESCRIPTOR* pSource, UINT nMask)
{
    if (nMask & SHBIF_CLRBACK)
        pDest->clrBackground = pSource->clrBackground;
    if (nMask & SHBIF_CLRTEXT)
        pDest->clrText = pSource->clrText;
    if (nMask & SHBIF_HDRCLRBACK)
        pDest->clrHeaderBackground = pSource->clrHeaderBackground;
    if (nMask & SHBIF_HDRCLRTEXT)
        pDest->clrHeaderText = pSource->clrHeaderText;
    if (nMask & SHBIF_HDRTEXTFMT)
        pDest->nHeaderTextFormat = pSource->nHeaderTextFormat;
    if (nMask & SHBIF_FONT)
        OXCopyLogFont(&pDest->lfText, &pSource->lfText);
    if (nMask & SHBIF_HDRFONT)
        OXCopyLogFont(&pDest->lfHeader, &pSource->lfHeader);
    if (nMask & SHBIF_HDRHEIGHT)
        pDest->nHeaderHeight = pSource->nHeaderHeight;
    pDest->nMask |= nMask & 0xFF;
}

SHB_GROUPINFO* COXSHBGroupSet::Lookup(HSHBGROUP hGroup) const
{
    auto it = m_groups.find(hGroup);
    return it == m_groups.end() ? NULL : it->second;
}

std::vector<HSHBGROUP> COXSHBGroupSet::GetGroups() const
{
    std::vector<HSHBGROUP> groups;
    for (const auto& entry : m_groups)
        groups.push_back(entry.first);
    return groups;
}

BOOL COXSHBGroupSet::IsValidImage(int nImage) const
{
    int nCount = GetImageCount();
    return nCount >= 0 && nImage >= 0 && nImage < nCount;
}

BOOL COXSHBGroupSet::IsValidOrder(int nOrder, BOOL bInsert) const
{
    return (bInsert && nOrder >= SHBI_SORT && nOrder < 0) || (nOrder >= 0 && nOrder < GetCount());
}

BOOL COXSHBGroupSet::VerifyGroupInfo(const SHB_GROUPINFO* pInfo) const
{
    if (pInfo == NULL || (pInfo->nMask & ~SHBIF_ALL) != 0)
        return FALSE;
    if ((pInfo->nMask & SHBIF_IMAGE) && !IsValidImage(pInfo->nImage))
        return FALSE;
    if ((pInfo->nMask & SHBIF_IMAGEEXPANDED) && !IsValidImage(pInfo->nImageExpanded))
        return FALSE;
    if ((pInfo->nMask & SHBIF_ORDER) && !IsValidOrder(pInfo->nOrder, TRUE))
        return FALSE;
    if ((pInfo->nMask & SHBIF_VIEW) && (UINT)pInfo->nView > 3)
        return FALSE;
    if ((pInfo->nMask & SHBIF_CHILDWND) && !IsChildWindow(pInfo->hwndChild))
        return FALSE;
    return TRUE;
}

SHB_GROUPINFO* COXSHBGroupSet::FindOwner(const SHB_GROUPINFO* pRecord, HSHBGROUP* phGroup) const
{
    for (const auto& entry : m_groups)
        if (entry.second == pRecord) {
            if (phGroup != NULL)
                *phGroup = entry.first;
            return entry.second;
        }
    return NULL;
}

BOOL COXSHBGroupSet::CopyText(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource)
{
    // The new block is made before the old one goes: the source may be the
    // destination's own text.
    LPSTR pszNew = NULL;
    int nNewLength = 0;
    if (pSource->pszText != NULL && pSource->nTextLength > 0) {
        // Never past the given length, never through a NUL, never half of a
        // double-byte character; the block always ends with a NUL of its own.
        int nLength = 0;
        const unsigned char* p = (const unsigned char*)pSource->pszText;
        while (nLength < pSource->nTextLength && p[nLength] != 0) {
            int nChar = ::IsDBCSLeadByte(p[nLength]) ? 2 : 1;
            if (nLength + nChar > pSource->nTextLength || (nChar == 2 && p[nLength + 1] == 0))
                break;
            nLength += nChar;
        }
        pszNew = (LPSTR)malloc(nLength + 1);
        if (pszNew == NULL) {
            pDest->FreeText();
            pDest->nTextLength = 0;
            return FALSE;
        }
        memcpy(pszNew, pSource->pszText, nLength);
        pszNew[nLength] = '\0';
        nNewLength = nLength;
    }
    pDest->FreeText();
    pDest->pszText = pszNew;
    pDest->bOwnsText = pszNew != NULL;
    pDest->nTextLength = nNewLength;
    pDest->nMask |= SHBIF_TEXT;
    return TRUE;
}

void COXSHBGroupSet::ReleaseDescriptor(LPSHB_DESCRIPTOR pDescriptor)
{
    if (pDescriptor == NULL || m_descriptors.count(pDescriptor) == 0)
        return;
    for (const auto& entry : m_groups)
        if (entry.second->pDescriptor == pDescriptor)
            return;
    m_descriptors.erase(pDescriptor);
    delete pDescriptor;
}

BOOL COXSHBGroupSet::CopyDescriptor(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, int nMode)
{
    if (pSource->pDescriptor == NULL) {
        LPSHB_DESCRIPTOR pOld = pDest->pDescriptor;
        pDest->pDescriptor = NULL;
        pDest->nMask &= ~SHBIF_DESCRIPTOR;
        ReleaseDescriptor(pOld);
        return TRUE;
    }
    if ((nMode & SHBCOPY_TOCALLER) && (pDest->pDescriptor == NULL || m_descriptors.count(pDest->pDescriptor))) {
        // A caller's record shares the group's block; a block of the set it
        // shared before may be another group's, never to be written through.
        pDest->pDescriptor = pSource->pDescriptor;
        pDest->nMask |= SHBIF_DESCRIPTOR;
        return TRUE;
    }
    if (pDest->pDescriptor == NULL) {
        LPSHB_DESCRIPTOR pNew = new (std::nothrow) SHB_DESCRIPTOR;
        if (pNew == NULL)
            return FALSE;
        memset(pNew, 0, sizeof(*pNew));
        m_descriptors.insert(pNew);
        pDest->pDescriptor = pNew;
    }
    if (pDest->pDescriptor == pSource->pDescriptor) {
        pDest->nMask |= SHBIF_DESCRIPTOR;
        return TRUE;
    }
    if (nMode & SHBCOPY_CLEAR)
        memset(pDest->pDescriptor, 0, sizeof(SHB_DESCRIPTOR));
    UINT nMask = (nMode & (SHBCOPY_CLEAR | SHBCOPY_SOURCEMASK)) ? pSource->pDescriptor->nMask
                                                                 : pDest->pDescriptor->nMask;
    OXCopyDescriptorFields(pDest->pDescriptor, pSource->pDescriptor, nMask);
    pDest->nMask |= SHBIF_DESCRIPTOR;
    return TRUE;
}

BOOL COXSHBGroupSet::CopyGroupInfo(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, int nMode)
{
    if (pDest == NULL || pSource == NULL)
        return FALSE;
    int nOldOrder = pDest->nOrder;
    UINT nOldMask = pDest->nMask;
    UINT nMask = (nMode & (SHBCOPY_CLEAR | SHBCOPY_SOURCEMASK)) ? pSource->nMask : pDest->nMask;
    if (nMode & SHBCOPY_CLEAR) {
        LPSHB_DESCRIPTOR pOld = pDest->pDescriptor;
        pDest->Clear();
        if (nMode & SHBCOPY_TOCALLER)
            pDest->pDescriptor = pOld;   // the caller's own block is refilled, not dropped
        else
            ReleaseDescriptor(pOld);
    }
    const BOOL bCheck = !(nMode & SHBCOPY_TOCALLER);

    if (nMask & SHBIF_TEXT) {
        if (!CopyText(pDest, pSource))
            return FALSE;
    }
    const int images[2] = {pSource->nImage, pSource->nImageExpanded};
    int* const targets[2] = {&pDest->nImage, &pDest->nImageExpanded};
    const UINT bits[2] = {SHBIF_IMAGE, SHBIF_IMAGEEXPANDED};
    for (int i = 0; i < 2; ++i) {
        if (!(nMask & bits[i]))
            continue;
        if (images[i] < 0) {
            *targets[i] = -1;
            pDest->nMask &= ~bits[i];
        } else if (bCheck && !IsValidImage(images[i])) {
            return FALSE;
        } else {
            *targets[i] = images[i];
            pDest->nMask |= bits[i];
        }
    }
    if (nMask & SHBIF_PARAM) {
        pDest->lParam = pSource->lParam;
        pDest->nMask |= SHBIF_PARAM;
    }
    if (nMask & SHBIF_ORDER) {
        if (bCheck && !IsValidOrder(pSource->nOrder, TRUE))
            return FALSE;
        if (!(nMode & SHBCOPY_READOUT) && (nOldMask & SHBIF_ORDER) && pSource->nOrder != nOldOrder &&
            pSource->nOrder >= 0) {
            // The group that has the new place takes the old one.
            for (auto& entry : m_groups)
                if (entry.second != pDest && (entry.second->nMask & SHBIF_ORDER) &&
                    entry.second->nOrder == pSource->nOrder)
                    entry.second->nOrder = nOldOrder;
        }
        pDest->nOrder = pSource->nOrder;
        pDest->nMask |= SHBIF_ORDER;
    }
    if (nMask & SHBIF_VIEW) {
        if (bCheck && (UINT)pSource->nView > 3)
            return FALSE;
        pDest->nView = pSource->nView;
        pDest->nMask |= SHBIF_VIEW;
    }
    if (nMask & SHBIF_CHILDWND) {
        if (bCheck && pSource->hwndChild != NULL && !IsChildWindow(pSource->hwndChild))
            return FALSE;
        pDest->hwndChild = pSource->hwndChild;
        if (pSource->hwndChild != NULL)
            pDest->nMask |= SHBIF_CHILDWND;
        else
            pDest->nMask &= ~SHBIF_CHILDWND;
    }
    if (nMask & SHBIF_DESCRIPTOR) {
        if (!CopyDescriptor(pDest, pSource, nMode))
            return FALSE;
    }
    return TRUE;
}

HSHBGROUP COXSHBGroupSet::Insert(const SHB_GROUPINFO* pInfo)
{
    if (!VerifyGroupInfo(pInfo))
        return NULL;
    SHB_GROUPINFO* pRecord = new (std::nothrow) SHB_GROUPINFO;
    if (pRecord == NULL)
        return NULL;
    if (!CopyGroupInfo(pRecord, pInfo, SHBCOPY_CLEAR | SHBCOPY_READOUT)) {
        LPSHB_DESCRIPTOR pOld = pRecord->pDescriptor;
        delete pRecord;
        ReleaseDescriptor(pOld);
        return NULL;
    }
    int nOrder = (pInfo->nMask & SHBIF_ORDER) ? pInfo->nOrder : SHBI_LAST;
    int nCount = GetCount();
    if (nOrder == SHBI_FIRST)
        nOrder = 0;
    if (nOrder >= 0) {
        for (auto& entry : m_groups)
            if (entry.second->nOrder >= nOrder)
                entry.second->nOrder++;
    } else {
        nOrder = nCount;
    }
    pRecord->nOrder = nOrder;
    pRecord->nMask |= SHBIF_ORDER;
    HSHBGROUP hGroup = GenerateHandle();
    m_groups[hGroup] = pRecord;
    if (pInfo->nMask & SHBIF_ORDER && pInfo->nOrder == SHBI_SORT)
        Sort(CompareByText, (LPARAM)this, 1);
    return hGroup;
}

BOOL COXSHBGroupSet::Remove(HSHBGROUP hGroup)
{
    auto it = m_groups.find(hGroup);
    if (it == m_groups.end())
        return FALSE;
    SHB_GROUPINFO* pRecord = it->second;
    m_groups.erase(it);
    for (auto& entry : m_groups)
        if (entry.second->nOrder > pRecord->nOrder)
            entry.second->nOrder--;
    LPSHB_DESCRIPTOR pDescriptor = pRecord->pDescriptor;
    delete pRecord;
    ReleaseDescriptor(pDescriptor);
    return TRUE;
}

void COXSHBGroupSet::RemoveAll()
{
    for (auto& entry : m_groups)
        delete entry.second;
    m_groups.clear();
    for (LPSHB_DESCRIPTOR p : m_descriptors)
        delete p;
    m_descriptors.clear();
}

BOOL COXSHBGroupSet::Get(HSHBGROUP hGroup, SHB_GROUPINFO* pInfo, BOOL bAll) const
{
    SHB_GROUPINFO* pRecord = Lookup(hGroup);
    // The record's fields are what is read into it: only its mask is checked.
    if (pRecord == NULL || pInfo == NULL || (pInfo->nMask & ~SHBIF_ALL) != 0)
        return FALSE;
    int nMode = SHBCOPY_READOUT | SHBCOPY_TOCALLER | (bAll ? SHBCOPY_CLEAR | SHBCOPY_SOURCEMASK : 0);
    return const_cast<COXSHBGroupSet*>(this)->CopyGroupInfo(pInfo, pRecord, nMode);
}

BOOL COXSHBGroupSet::Set(HSHBGROUP hGroup, const SHB_GROUPINFO* pInfo, BOOL bReplace, UINT* pChanged)
{
    if (pChanged != NULL)
        *pChanged = 0;
    SHB_GROUPINFO* pRecord = Lookup(hGroup);
    if (pRecord == NULL || pInfo == NULL || (pInfo->nMask & ~SHBIF_ALL) != 0)
        return FALSE;
    // An order names a place among the groups; the insert-only orders mean
    // nothing for a group that has one.
    if ((pInfo->nMask & SHBIF_ORDER) && pInfo->nOrder < 0)
        return FALSE;
    BOOL bOk;
    if (bReplace) {
        // Rebuilt from pInfo, but a group always keeps a place.
        int nOrder = pRecord->nOrder;
        bOk = CopyGroupInfo(pRecord, pInfo, SHBCOPY_CLEAR);
        if (!(pRecord->nMask & SHBIF_ORDER)) {
            pRecord->nOrder = nOrder;
            pRecord->nMask |= SHBIF_ORDER;
        }
    } else {
        bOk = CopyGroupInfo(pRecord, pInfo, SHBCOPY_SOURCEMASK);
    }
    if (pChanged != NULL)
        *pChanged = pInfo->nMask | (bReplace ? SHBIF_ALL : 0);
    return bOk;
}

BOOL COXSHBGroupSet::CompareGroupInfo(const SHB_GROUPINFO* pPattern, const SHB_GROUPINFO* pCandidate) const
{
    // Only the pattern is checked: a group keeps an image that was valid when
    // it was set, and must stay findable when the image list shrinks.
    if (!VerifyGroupInfo(pPattern) || pCandidate == NULL)
        return FALSE;
    UINT nMask = pPattern->nMask;
    if ((pCandidate->nMask & nMask) != nMask)
        return FALSE;
    if (nMask & SHBIF_TEXT) {
        int nLength = pPattern->pszText != NULL ? pPattern->nTextLength : 0;
        int nCandidate = pCandidate->pszText != NULL ? pCandidate->nTextLength : 0;
        if (nCandidate < nLength)
            return FALSE;
        if (nLength > 0 && _mbsncmp((const unsigned char*)pPattern->pszText,
                                    (const unsigned char*)pCandidate->pszText,
                                    _mbsnccnt((const unsigned char*)pPattern->pszText, nLength)) != 0)
            return FALSE;
    }
    if ((nMask & SHBIF_IMAGE) && pPattern->nImage != pCandidate->nImage)
        return FALSE;
    if ((nMask & SHBIF_IMAGEEXPANDED) && pPattern->nImageExpanded != pCandidate->nImageExpanded)
        return FALSE;
    if ((nMask & SHBIF_PARAM) && pPattern->lParam != pCandidate->lParam)
        return FALSE;
    if ((nMask & SHBIF_ORDER) && pPattern->nOrder != pCandidate->nOrder)
        return FALSE;
    if ((nMask & SHBIF_VIEW) && pPattern->nView != pCandidate->nView)
        return FALSE;
    if ((nMask & SHBIF_DESCRIPTOR) && pPattern->pDescriptor != pCandidate->pDescriptor)
        return FALSE;
    if ((nMask & SHBIF_CHILDWND) && pPattern->hwndChild != pCandidate->hwndChild)
        return FALSE;
    return TRUE;
}

HSHBGROUP COXSHBGroupSet::Find(const SHB_GROUPINFO* pPattern) const
{
    for (const auto& entry : m_groups)
        if (CompareGroupInfo(pPattern, entry.second))
            return entry.first;
    return NULL;
}

HSHBGROUP COXSHBGroupSet::FindByOrder(int nOrder) const
{
    SHB_GROUPINFO pattern;
    pattern.nMask = SHBIF_ORDER;
    pattern.nOrder = nOrder;
    return Find(&pattern);
}

HSHBGROUP COXSHBGroupSet::FindByParam(LPARAM lParam) const
{
    SHB_GROUPINFO pattern;
    pattern.nMask = SHBIF_PARAM;
    pattern.lParam = lParam;
    return Find(&pattern);
}

HSHBGROUP COXSHBGroupSet::FindByText(LPCSTR pszText) const
{
    SHB_GROUPINFO pattern;
    pattern.nMask = SHBIF_TEXT;
    pattern.pszText = (LPSTR)pszText;
    pattern.nTextLength = pszText != NULL ? (int)strlen(pszText) : 0;
    HSHBGROUP hFirst = NULL;
    for (const auto& entry : m_groups) {
        if (!CompareGroupInfo(&pattern, entry.second))
            continue;
        if (entry.second->nTextLength == pattern.nTextLength)
            return entry.first;
        if (hFirst == NULL)
            hFirst = entry.first;
    }
    return hFirst;
}

BOOL COXSHBGroupSet::Sort(PFNSHBCOMPARE pfnCompare, LPARAM lParam, int nDirection)
{
    m_nSortDirection = nDirection;
    int nCount = GetCount();
    if (nCount < 2 || nDirection == 0 || pfnCompare == NULL)
        return TRUE;
    BOOL bSwapped;
    do {
        bSwapped = FALSE;
        for (int i = 0; i < nCount - 1; ++i) {
            HSHBGROUP a = FindByOrder(i), b = FindByOrder(i + 1);
            if (a == NULL || b == NULL)
                continue;
            if (nDirection * pfnCompare(a, b, lParam) > 0) {
                Lookup(a)->nOrder = i + 1;
                Lookup(b)->nOrder = i;
                bSwapped = TRUE;
            }
        }
    } while (bSwapped);
    return TRUE;
}

LPCSTR COXSHBGroupSet::GetText(HSHBGROUP hGroup) const
{
    SHB_GROUPINFO* pRecord = Lookup(hGroup);
    return pRecord != NULL && (pRecord->nMask & SHBIF_TEXT) && pRecord->pszText != NULL ? pRecord->pszText
                                                                                         : "";
}

int CALLBACK COXSHBGroupSet::CompareByText(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParam)
{
    const COXSHBGroupSet* pSet = (const COXSHBGroupSet*)lParam;
    return ::lstrcmpiA(pSet->GetText(hGroup1), pSet->GetText(hGroup2));
}
