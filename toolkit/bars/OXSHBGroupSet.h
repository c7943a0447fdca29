// The shortcut bar's groups as records, without a window: validation, copies
// between records, insert orders, order swaps, matching, sorting and the
// descriptors the groups share. The bar owns one set and tells it what only a
// window knows (its header image count, whether a window is its child).
#pragma once

#include <map>
#include <set>
#include <vector>

#include "OXSHBTypes.h"

// Compares two groups: negative, zero or positive.
typedef int (CALLBACK* PFNSHBCOMPARE)(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParam);

// CopyGroupInfo modes.
#define SHBCOPY_CLEAR    1   // clear the destination first
#define SHBCOPY_READOUT  2   // an order change never moves other groups
#define SHBCOPY_SOURCEMASK 4 // the source's mask selects the fields
// The destination is a caller's record read out of a group: the values were
// checked when they went into the group (an image list may have shrunk
// since), and the record never gets a descriptor the set must keep.
#define SHBCOPY_TOCALLER 8

class COXSHBGroupSet
{
public:
    COXSHBGroupSet() {}
    virtual ~COXSHBGroupSet() { RemoveAll(); }
    COXSHBGroupSet(const COXSHBGroupSet&) = delete;
    COXSHBGroupSet& operator=(const COXSHBGroupSet&) = delete;

    // What the owning window knows: the header image count (-1: no image
    // list) and whether a window may be a group's child window.
    virtual int GetImageCount() const { return -1; }
    virtual BOOL IsChildWindow(HWND /*hWnd*/) const { return FALSE; }
    // The next handle: counted up from 1, never reused.
    virtual HSHBGROUP GenerateHandle() { return (HSHBGROUP)(++m_nLastHandle); }

    int GetCount() const { return (int)m_groups.size(); }
    SHB_GROUPINFO* Lookup(HSHBGROUP hGroup) const;
    // Every group, in the order the map keeps them (by handle).
    std::vector<HSHBGROUP> GetGroups() const;

    BOOL VerifyGroupInfo(const SHB_GROUPINFO* pInfo) const;
    // Copies the selected fields (see the mode bits); TRUE when every field
    // was accepted (the ones before a refused field stay copied).
    BOOL CopyGroupInfo(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, int nMode);

    // Makes a handle and a record from pInfo; NULL when it is refused.
    // Orders: none or SHBI_LAST at the end, SHBI_FIRST at the top, SHBI_SORT
    // at the end then every group sorted by text, n at n (the rest move down).
    HSHBGROUP Insert(const SHB_GROUPINFO* pInfo);
    // Forgets a group; the groups below move up. FALSE for an unknown handle.
    BOOL Remove(HSHBGROUP hGroup);
    void RemoveAll();

    // A copy of the group's fields (all, or those in pInfo's mask); the text
    // comes as a block pInfo owns.
    BOOL Get(HSHBGROUP hGroup, SHB_GROUPINFO* pInfo, BOOL bAll) const;
    // Merges (or with bReplace rebuilds from) pInfo; *pChanged gets the mask
    // of fields written. A negative order is refused.
    BOOL Set(HSHBGROUP hGroup, const SHB_GROUPINFO* pInfo, BOOL bReplace, UINT* pChanged = NULL);

    BOOL CompareGroupInfo(const SHB_GROUPINFO* pPattern, const SHB_GROUPINFO* pCandidate) const;
    HSHBGROUP Find(const SHB_GROUPINFO* pPattern) const;
    HSHBGROUP FindByOrder(int nOrder) const;
    HSHBGROUP FindByParam(LPARAM lParam) const;
    // A group whose text starts with pszText; an exact match when there is one.
    HSHBGROUP FindByText(LPCSTR pszText) const;

    // Bubble passes over the orders until nothing moves; direction 1
    // ascending, -1 descending, 0 no sort.
    BOOL Sort(PFNSHBCOMPARE pfnCompare, LPARAM lParam, int nDirection);
    // Case-insensitive comparison of two groups' texts; lParam is the set.
    static int CALLBACK CompareByText(HSHBGROUP hGroup1, HSHBGROUP hGroup2, LPARAM lParam);
    int GetSortDirection() const { return m_nSortDirection; }

    // The text of a group as a C string ("" when it has none).
    LPCSTR GetText(HSHBGROUP hGroup) const;
    int GetDescriptorCount() const { return (int)m_descriptors.size(); }

protected:
    BOOL IsValidImage(int nImage) const;
    BOOL IsValidOrder(int nOrder, BOOL bInsert) const;
    BOOL CopyText(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource);
    BOOL CopyDescriptor(SHB_GROUPINFO* pDest, const SHB_GROUPINFO* pSource, int nMode);
    void ReleaseDescriptor(LPSHB_DESCRIPTOR pDescriptor);
    SHB_GROUPINFO* FindOwner(const SHB_GROUPINFO* pRecord, HSHBGROUP* phGroup) const;

    std::map<HSHBGROUP, SHB_GROUPINFO*> m_groups;
    std::set<LPSHB_DESCRIPTOR> m_descriptors;
    INT_PTR m_nLastHandle = 0;
    int m_nSortDirection = 0;
};

// Copies the parts of a LOGFONT a group keeps: the five numbers, the eight
// bytes and at most 32 bytes of face name (always terminated).
void AFXAPI OXCopyLogFont(LOGFONT* pDest, const LOGFONT* pSource);
// Copies the fields of a descriptor selected by nMask.
void AFXAPI OXCopyDescriptorFields(SHB_DESCRIPTOR* pDest, const SHB_DESCRIPTOR* pSource, UINT nMask);
