// COXDocTemplateSpy: asks a document template whether its document, frame
// and view classes are given ones, by pointer or by class name, so that a
// saved window layout can find the template that re-creates a window.
#pragma once

#include <afxwin.h>

class COXDocTemplateSpy : public CDocTemplate
{
public:
    COXDocTemplateSpy() : CDocTemplate(0, NULL, NULL, NULL) {}

    // A NULL argument is not compared.
    static BOOL MatchRuntimeClasses(const CDocTemplate* pTemplate, const CRuntimeClass* pDocClass,
                                    const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    static BOOL MatchClassNames(const CDocTemplate* pTemplate, LPCSTR lpszDocClass, LPCSTR lpszFrameClass,
                                LPCSTR lpszViewClass);

    BOOL MatchRuntimeClasses(const CRuntimeClass* pDocClass, const CRuntimeClass* pFrameClass,
                             const CRuntimeClass* pViewClass) const
    { return MatchRuntimeClasses(this, pDocClass, pFrameClass, pViewClass); }
    BOOL MatchClassNames(LPCSTR lpszDocClass, LPCSTR lpszFrameClass, LPCSTR lpszViewClass) const
    { return MatchClassNames(this, lpszDocClass, lpszFrameClass, lpszViewClass); }

    POSITION GetFirstDocPosition() const override { return NULL; }
    CDocument* GetNextDoc(POSITION&) const override { return NULL; }
    CDocument* OpenDocumentFile(LPCTSTR, BOOL = TRUE) override { return NULL; }
    void SetDefaultTitle(CDocument*) override {}
};
