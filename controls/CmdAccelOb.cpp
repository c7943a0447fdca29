// CmdAccelOb.cpp - CCmdAccelOb.
#include "CmdAccelOb.h"

IMPLEMENT_DYNAMIC(CCmdAccelOb, CObject)

CCmdAccelOb::CCmdAccelOb() : m_wIDCommand(0), m_Accels(10) {}

CCmdAccelOb::CCmdAccelOb(WORD wIDCommand, LPCSTR pszName)
    : m_wIDCommand(wIDCommand), m_szCommand(pszName), m_Accels(10)
{
}

CCmdAccelOb::CCmdAccelOb(BYTE cVirt, WORD wIDCommand, WORD wKey, LPCSTR pszName, bool bLocked)
    : m_wIDCommand(wIDCommand), m_szCommand(pszName), m_Accels(10)
{
    Add(cVirt, wKey, bLocked);
}

CCmdAccelOb::~CCmdAccelOb()
{
    POSITION pos = m_Accels.GetHeadPosition();
    while (pos != NULL)
        delete m_Accels.GetNext(pos);
    m_Accels.RemoveAll();
}

void CCmdAccelOb::Reset()
{
    m_wIDCommand = 0;
    m_szCommand = "Empty command";
    POSITION pos = m_Accels.GetHeadPosition();
    while (pos != NULL)
        delete m_Accels.GetNext(pos);
    m_Accels.RemoveAll();
}

CCmdAccelOb& CCmdAccelOb::operator=(const CCmdAccelOb& from)
{
    if (this == &from)
        return *this;
    Reset();
    m_wIDCommand = from.m_wIDCommand;
    m_szCommand = from.m_szCommand;
    POSITION pos = from.m_Accels.GetHeadPosition();
    while (pos != NULL) {
        CAccelsOb* pCopy = new CAccelsOb(from.m_Accels.GetNext(pos));
        m_Accels.AddTail(pCopy);
    }
    return *this;
}

void CCmdAccelOb::Add(BYTE cVirt, WORD wKey, bool bLocked)
{
    CAccelsOb* pAccel = new CAccelsOb(cVirt, wKey, bLocked);
    m_Accels.AddTail(pAccel);
}

void CCmdAccelOb::DeleteUserAccels()
{
    POSITION pos = m_Accels.GetHeadPosition();
    while (pos != NULL) {
        POSITION posThis = pos;
        CAccelsOb* pAccel = m_Accels.GetNext(pos);
        if (!pAccel->m_bLocked) {
            delete pAccel;
            m_Accels.RemoveAt(posThis);
        }
    }
}

CAccelsOb* CCmdAccelOb::Find(BYTE cVirt, WORD wKey) const
{
    POSITION pos = m_Accels.GetHeadPosition();
    while (pos != NULL) {
        CAccelsOb* pAccel = m_Accels.GetNext(pos);
        if (pAccel->m_cVirt == cVirt && pAccel->m_wKey == wKey)
            return pAccel;
    }
    return NULL;
}

int CCmdAccelOb::CountUnlocked() const
{
    int n = 0;
    POSITION pos = m_Accels.GetHeadPosition();
    while (pos != NULL)
        n += m_Accels.GetNext(pos)->m_bLocked ? 0 : 1;
    return n;
}
