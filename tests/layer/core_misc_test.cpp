// CRect/CPoint/CSize, the exception family and its macros, the
// synchronisation objects, and the per-thread handle maps.
#include "core_test.h"
#include <atltypes.h>
#include <afxmt.h>
#include <afxhandle.h>
#include <thread>

// ---------------------------------------------------------------------------
TEST(CoreRect, OperatorsAndMembers)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_EQ(CPoint(10, 20), r.TopLeft());
    r.BottomRight() = CPoint(120, 80);
    EXPECT_EQ(CRect(10, 20, 120, 80), r);

    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(120, 50)));   // right edge is outside
    EXPECT_EQ(CRect(15, 25, 125, 85), r + CPoint(5, 5));
    EXPECT_EQ(CRect(5, 15, 115, 75), r - CSize(5, 5));
    EXPECT_EQ(CRect(9, 18, 123, 84), r + CRect(1, 2, 3, 4));   // inflate by each side
    EXPECT_EQ(CRect(11, 22, 117, 76), r - CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(50, 50, 120, 80), r & CRect(50, 50, 200, 200));
    EXPECT_EQ(CRect(0, 0, 120, 80), r | CRect(0, 0, 5, 5));
    EXPECT_TRUE((r & CRect(500, 500, 600, 600)).IsRectEmpty());
    EXPECT_TRUE((r & CRect(500, 500, 600, 600)).IsRectNull());

    CRect q = r;
    q += CPoint(1, 1);
    q -= CSize(1, 1);
    EXPECT_TRUE(q == r);
    q &= CRect(0, 0, 50, 50);
    EXPECT_EQ(CRect(10, 20, 50, 50), q);
    q |= CRect(0, 0, 1, 1);
    EXPECT_EQ(CRect(0, 0, 50, 50), q);
    q.InflateRect(2, 3);
    EXPECT_EQ(CRect(-2, -3, 52, 53), q);
    q.DeflateRect(2, 3, 4, 5);
    EXPECT_EQ(CRect(0, 0, 48, 48), q);
    q.OffsetRect(10, -10);
    q.MoveToXY(1, 2);
    EXPECT_EQ(CRect(1, 2, 49, 50), q);
    q.SetRect(30, 40, 10, 20);
    q.NormalizeRect();
    EXPECT_EQ(CRect(10, 20, 30, 40), q);
    q.SetRectEmpty();
    EXPECT_TRUE(q.IsRectNull());

    CRect sub;
    EXPECT_TRUE(sub.SubtractRect(CRect(0, 0, 100, 100), CRect(50, 0, 100, 100)));
    EXPECT_EQ(CRect(0, 0, 50, 100), sub);
    CRect un;
    un.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 6));
    EXPECT_EQ(CRect(0, 0, 6, 6), un);

    LPRECT pr = r;
    LPCRECT pcr = r;
    EXPECT_EQ(pr, pcr);
    EXPECT_EQ(CSize(3, 4), CPoint(5, 6) - CPoint(2, 2));
    EXPECT_EQ(CPoint(7, 8), CPoint(5, 6) + CSize(2, 2));
    EXPECT_EQ(CPoint(-5, -6), -CPoint(5, 6));
    EXPECT_EQ(CPoint(-3, 2), CPoint(MAKELPARAM(-3, 2)));   // signed coordinates of a message
}

// ---------------------------------------------------------------------------
namespace
{
class CCountedException : public CException
{
public:
    static int s_nDeleted;
    explicit CCountedException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    ~CCountedException() override { s_nDeleted++; }
};
int CCountedException::s_nDeleted = 0;
} // namespace

TEST(CoreException, DeleteAndTheCatchMacros)
{
    CCountedException::s_nDeleted = 0;
    CCountedException* pStatic = new CCountedException(FALSE);
    pStatic->Delete();   // not auto-delete: still there
    EXPECT_EQ(0, CCountedException::s_nDeleted);
    delete pStatic;
    EXPECT_EQ(1, CCountedException::s_nDeleted);

    // CATCH deletes the exception at the end of its block
    bool bCaught = false;
    TRY
    {
        throw new CCountedException;
    }
    CATCH(CCountedException, e)
    {
        bCaught = e != NULL;
    }
    END_CATCH
    EXPECT_TRUE(bCaught);
    EXPECT_EQ(2, CCountedException::s_nDeleted);

    // THROW_LAST passes it on undeleted
    bool bPassedOn = false;
    try
    {
        TRY
        {
            throw new CCountedException;
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    }
    catch (CCountedException* e)
    {
        bPassedOn = true;
        EXPECT_EQ(2, CCountedException::s_nDeleted) << "deleted on its way out of the CATCH block";
        e->Delete();
    }
    EXPECT_TRUE(bPassedOn);
    EXPECT_EQ(3, CCountedException::s_nDeleted);

    char szMessage[128];
    CArchiveException archive(CArchiveException::endOfFile, "basket.dat");
    EXPECT_TRUE(archive.GetErrorMessage(szMessage, sizeof szMessage));
    EXPECT_NE(nullptr, strstr(szMessage, "basket.dat"));
    EXPECT_TRUE(archive.GetErrorMessage(szMessage, 5));   // cut, still terminated
    EXPECT_EQ(4u, strlen(szMessage));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(E_UNEXPECTED, COleException::Process(&archive));
    COleException ole(E_OUTOFMEMORY);
    EXPECT_EQ(E_OUTOFMEMORY, COleException::Process(&ole));
}

// ---------------------------------------------------------------------------
TEST(CoreSync, LocksExcludeAndEventsSignal)
{
    CCriticalSection section;
    long nCounter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; t++)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; i++)
            {
                CSingleLock lock(&section, TRUE);
                long n = nCounter;
                if (i % 1000 == 0)
                    ::Sleep(0);
                nCounter = n + 1;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(80000, nCounter);

    CEvent event(FALSE, TRUE);   // manual reset
    CSingleLock wait(&event);
    EXPECT_FALSE(wait.Lock(0));
    EXPECT_FALSE(wait.IsLocked());
    std::thread setter([&] { event.SetEvent(); });
    EXPECT_TRUE(wait.Lock(5000));
    setter.join();
    EXPECT_TRUE(wait.IsLocked());
    wait.Unlock();
    event.ResetEvent();
    EXPECT_FALSE(wait.Lock(0));

    CMutex mutex;
    CEvent held, release;
    std::thread owner([&] {
        CSingleLock lock(&mutex, TRUE);
        held.SetEvent();
        ::WaitForSingleObject(release, 5000);
    });
    ::WaitForSingleObject(held, 5000);
    CSingleLock other(&mutex);
    EXPECT_FALSE(other.Lock(20));
    release.SetEvent();
    EXPECT_TRUE(other.Lock(5000));
    owner.join();

    CSemaphore semaphore(2, 2);
    CSyncObject* objects[] = { &semaphore, &event };
    CMultiLock multi(objects, 2);
    event.SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0, multi.Lock(1000, TRUE));
    EXPECT_TRUE(multi.IsLocked(0) && multi.IsLocked(1));
}

// ---------------------------------------------------------------------------
namespace
{
struct CFakeWrapper
{
    static int s_nDeleted;
    static int s_nDeletedAttached;
    HWND m_hWnd = NULL;
    ~CFakeWrapper()
    {
        s_nDeleted++;
        if (m_hWnd != NULL)
            s_nDeletedAttached++;
    }
};
int CFakeWrapper::s_nDeleted = 0;
int CFakeWrapper::s_nDeletedAttached = 0;

typedef CHandleMap<CFakeWrapper, HWND, CHandleMemberTraits<CFakeWrapper, HWND, &CFakeWrapper::m_hWnd> >
    CFakeHandleMap;
} // namespace

TEST(CoreHandleMap, TemporaryAndPermanentWrappers)
{
    CFakeWrapper::s_nDeleted = CFakeWrapper::s_nDeletedAttached = 0;
    CFakeHandleMap* pMap = CFakeHandleMap::GetThreadMap();
    HWND h1 = (HWND)0x1000, h2 = (HWND)0x2000;

    EXPECT_EQ(nullptr, pMap->FromHandle(NULL));
    CFakeWrapper* pTemp = pMap->FromHandle(h1);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(h1, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, pMap->FromHandle(h1));   // the same wrapper until idle time
    EXPECT_EQ(pTemp, pMap->LookupTemporary(h1));
    EXPECT_EQ(nullptr, pMap->LookupPermanent(h1));

    CFakeWrapper owned;
    owned.m_hWnd = h2;
    pMap->SetPermanent(h2, &owned);
    EXPECT_EQ(&owned, pMap->FromHandle(h2));

    // another thread has maps of its own
    CFakeWrapper* pOther = NULL;
    std::thread([&] {
        pOther = CFakeHandleMap::GetThreadMap()->LookupPermanent(h2);
        CFakeHandleMap::GetThreadMap()->FromHandle(h2);
    }).join();
    EXPECT_EQ(nullptr, pOther);
    EXPECT_EQ(1, CFakeWrapper::s_nDeleted);   // the other thread's temporary went with it

    // idle time: temporaries are detached, then deleted; owned ones stay
    AfxDeleteTempMaps();
    EXPECT_EQ(2, CFakeWrapper::s_nDeleted);
    EXPECT_EQ(0, CFakeWrapper::s_nDeletedAttached);
    EXPECT_EQ(nullptr, pMap->LookupTemporary(h1));
    EXPECT_EQ(&owned, pMap->LookupPermanent(h2));

    pMap->RemoveHandle(h2);
    EXPECT_EQ(nullptr, pMap->LookupPermanent(h2));
    CFakeWrapper* pNew = pMap->FromHandle(h2);
    EXPECT_NE(&owned, pNew);
    pMap->DeleteTemp();
    EXPECT_EQ(3, CFakeWrapper::s_nDeleted);
    owned.m_hWnd = NULL;
}
