#include "OXDocTemplateSpy.h"

#include <string.h>

BOOL COXDocTemplateSpy::MatchRuntimeClasses(const CDocTemplate* pTemplate, const CRuntimeClass* pDocClass,
                                            const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass)
{
    if (pTemplate == NULL)
        return FALSE;
    return (pDocClass == NULL || pDocClass == pTemplate->m_pDocClass)
        && (pFrameClass == NULL || pFrameClass == pTemplate->m_pFrameClass)
        && (pViewClass == NULL || pViewClass == pTemplate->m_pViewClass);
}

BOOL COXDocTemplateSpy::MatchClassNames(const CDocTemplate* pTemplate, LPCSTR lpszDocClass, LPCSTR lpszFrameClass,
                                        LPCSTR lpszViewClass)
{
    if (pTemplate == NULL)
        return FALSE;
    auto same = [](LPCSTR lpszName, const CRuntimeClass* pClass) {
        return lpszName == NULL || (pClass != NULL && strcmp(lpszName, pClass->m_lpszClassName) == 0);
    };
    return same(lpszDocClass, pTemplate->m_pDocClass) && same(lpszFrameClass, pTemplate->m_pFrameClass)
        && same(lpszViewClass, pTemplate->m_pViewClass);
}
