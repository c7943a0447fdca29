// GridCtrlFile.cpp - saving to and loading from a text file, part of the model (works
// without a window). Load reads whole lines of any length and gives loaded rows the
// default height; separators are split as unsigned bytes (cp1251 ones are >= 0x80).
#include "GridCtrl.h"

BOOL CGridCtrl::Save(LPCTSTR filename, TCHAR chSeparator)
{
    CStdioFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::modeWrite | CFile::modeCreate | CFile::typeText, &ex)) {
        ex.ReportError();
        return FALSE;
    }

    TCHAR strSeparator[2] = {chSeparator, 0};
    try {
        int nNumColumns = GetColumnCount();
        for (int i = 0; i < GetRowCount(); i++) {
            for (int j = 0; j < nNumColumns; j++) {
                File.WriteString(GetItemText(i, j));
                File.WriteString((j == (nNumColumns - 1)) ? _T("\n") : strSeparator);
            }
        }
        File.Close();
    } catch (CFileException* e) {
        AfxMessageBox(_T("Unable to save grid list"));
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CGridCtrl::SplitLoadLine(const CString& line, TCHAR chSeparator, CStringArray& fields)
{
    // Fields end at the separator or a line feed; an empty piece at the very
    // end of the line ends it, empty fields inside it are kept.
    fields.RemoveAll();
    const unsigned char sep = (unsigned char)chSeparator;   // bytes compare as unsigned values
    LPCTSTR p = line;
    int n = line.GetLength();
    int start = 0;
    for (int i = 0; i <= n; i++) {
        if (i < n && (unsigned char)p[i] != sep && p[i] != '\n')
            continue;
        if (i == n && i == start)
            break;
        fields.Add(CString(p + start, i - start));
        start = i + 1;
    }
}

BOOL CGridCtrl::Load(LPCTSTR filename, TCHAR chSeparator)
{
    if (GetVirtualMode())
        return FALSE;

    CStdioFile File;
    CFileException ex;
    if (!File.Open(filename, CFile::modeRead | CFile::typeText, &ex)) {
        ex.ReportError();
        return FALSE;
    }

    DeleteAllItems();

    try {
        // Whole lines of any length are read: a line is one row, however long.
        CString line;
        CStringArray fields;
        BOOL bFirstLine = TRUE;
        while (File.ReadString(line)) {
            SplitLoadLine(line, chSeparator, fields);
            if (bFirstLine) {
                for (INT_PTR i = 0; i < fields.GetSize(); i++)
                    InsertColumn(fields[i], DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                bFirstLine = FALSE;
                continue;
            }
            if (fields.IsEmpty())
                fields.Add(CString());
            int nItem = InsertRow(fields[0]);
            if (nItem < 0)
                continue;
            // A loaded row has the default height, whatever its first field
            // (an empty heading would otherwise hide it).
            SetRowHeight(nItem, m_defCellNormal.GetHeight());
            for (INT_PTR i = 1; i < fields.GetSize(); i++)
                SetItemText(nItem, (int)i, fields[i]);
        }

        AutoSizeColumns(GetAutoSizeStyle());
        File.Close();
    } catch (CFileException* e) {
        AfxMessageBox(_T("Unable to load grid data"));
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
