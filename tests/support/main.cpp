// The main of every test executable: one application object for the process (as
// a program has), a check that windows can be created at all, and a watchdog, so
// that a hung modal box or a missing display fails the run loudly instead of
// hanging it or passing it empty.
#include <afxwin.h>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <gtest/gtest.h>

namespace {

class CTestApp : public CWinApp {
 public:
  CTestApp() : CWinApp("PellucorTests") {}
  BOOL InitInstance() override
  {
    SetRegistryKey("Pellucor Test");
    return TRUE;
  }
};

CTestApp theTestApp;

bool CanCreateWindows()
{
  HWND probe = CreateWindowExA(0, "STATIC", "probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!probe) return false;
  DestroyWindow(probe);
  return true;
}

void StartWatchdog()
{
  const char* env = getenv("PELLUCOR_TEST_TIMEOUT");
  int seconds = env ? atoi(env) : 300;
  if (seconds <= 0) seconds = 300;
  std::thread([seconds] {
    Sleep((DWORD)seconds * 1000);
    fprintf(stderr, "\nwatchdog: the tests did not finish within %d s (a modal box left open, or a hang)\n",
            seconds);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }).detach();
}

}  // namespace

int main(int argc, char** argv)
{
  setvbuf(stdout, nullptr, _IONBF, 0);
  ::testing::InitGoogleTest(&argc, argv);
  if (!CanCreateWindows()) {
    fprintf(stderr, "test: cannot create a window: no display (run the tests through scripts/test.sh)\n");
    return 2;
  }
  StartWatchdog();
  if (!AfxWinInit(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWNORMAL) ||
      !theTestApp.InitInstance()) {
    fprintf(stderr, "test: the application object could not be initialised\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
