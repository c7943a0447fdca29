// Structured exceptions: a thread's translator turns hardware faults into C++
// exceptions its own catch blocks receive.
#include "wnd_test.h"

#include <thread>

namespace {

struct CHardwareFault
{
    unsigned int nCode;
};

int g_nTranslated = 0;   // touched only by the test thread

void __cdecl ThrowFault(unsigned int nCode, EXCEPTION_POINTERS*)
{
    g_nTranslated++;
    throw CHardwareFault{ nCode };
}

__attribute__((noinline)) void WriteThrough(volatile int* p)
{
    *p = 1;
}

__attribute__((noinline)) int Divide(volatile int a, volatile int b)
{
    return a / b;
}

// Runs f on a thread of its own (so no other test's thread has the
// translator) and returns the code caught, or 0.
unsigned int CatchOnThread(void (*f)())
{
    unsigned int nCaught = 0;
    std::thread worker([&] {
        AFX_SE_TRANSLATOR pfnOld = AfxSetSeTranslator(ThrowFault);
        try {
            f();
        } catch (const CHardwareFault& fault) {
            nCaught = fault.nCode;
        }
        AfxSetSeTranslator(pfnOld);
    });
    worker.join();
    return nCaught;
}

TEST(WndSeTranslator, HardwareFaultsBecomeCatchableExceptions)
{
    EXPECT_EQ(CatchOnThread([] { WriteThrough(NULL); }), 0xC0000005u);
    EXPECT_EQ(CatchOnThread([] { Divide(1, 0); }), 0xC0000094u);
}

TEST(WndSeTranslator, CppExceptionsAreNotTranslated)
{
    int nCaught = 0;
    std::thread worker([&] {
        AfxSetSeTranslator(ThrowFault);
        g_nTranslated = 0;
        try {
            throw 17;
        } catch (int n) {
            nCaught = n;
        }
        try {
            AfxThrowUserException();
        } catch (CException* e) {
            e->Delete();
            nCaught++;
        }
        EXPECT_EQ(g_nTranslated, 0);
        AfxSetSeTranslator(NULL);
    });
    worker.join();
    EXPECT_EQ(nCaught, 18);
}

}  // namespace
