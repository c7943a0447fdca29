// statservice.exe - the statistics service on its own, for trying the program:
//   statservice [--port N] [--rows N] [--pages N] [--seed N]
// Prints "listening on 127.0.0.1:N" (with --port 0, or none, a free port), then
// one line per request, and serves until it is killed, Ctrl+C is pressed or its
// standard input closes.
#include "StatisticsService.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HANDLE s_hStop = nullptr;

BOOL WINAPI OnConsoleControl(DWORD)
{
    SetEvent(s_hStop);
    return TRUE;
}

// Whoever started the service holds its input open for as long as they want it.
DWORD WINAPI WatchInput(void*)
{
    char buffer[256];
    DWORD nRead = 0;
    HANDLE hInput = GetStdHandle(STD_INPUT_HANDLE);
    while (ReadFile(hInput, buffer, sizeof buffer, &nRead, nullptr) && nRead > 0) {
    }
    SetEvent(s_hStop);
    return 0;
}

int Usage()
{
    fprintf(stderr, "usage: statservice [--port N] [--rows N] [--pages N] [--seed N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    CStatisticsService::Settings settings;
    long nPort = 0;
    for (int i = 1; i < argc; i++) {
        if (i + 1 >= argc)
            return Usage();
        char* pEnd = nullptr;
        long nValue = strtol(argv[i + 1], &pEnd, 10);
        if (*pEnd || nValue < 0)
            return Usage();
        if (!strcmp(argv[i], "--port") && nValue <= 65535)
            nPort = nValue;
        else if (!strcmp(argv[i], "--rows") && nValue > 0)
            settings.nRowsPerPage = (int)nValue;
        else if (!strcmp(argv[i], "--pages") && nValue > 0)
            settings.nPagesPerSeed = (int)nValue;
        else if (!strcmp(argv[i], "--seed"))
            settings.nCorpusSeed = (unsigned)nValue;
        else
            return Usage();
        i++;
    }

    CStatisticsService service(settings);
    if (!service.Start((unsigned short)nPort)) {
        fprintf(stderr, "statservice: %s\n", service.LastError().c_str());
        return 1;
    }
    printf("listening on %s\n", service.Host().c_str());
    fflush(stdout);

    s_hStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    CloseHandle(CreateThread(nullptr, 0, WatchInput, nullptr, 0, nullptr));

    size_t nShown = 0;
    while (WaitForSingleObject(s_hStop, 200) == WAIT_TIMEOUT) {
        std::vector<CLoopbackRequest> requests = service.Requests();
        for (; nShown < requests.size(); nShown++)
            printf("%s %s  (%s)\n", requests[nShown].method.c_str(), requests[nShown].target.c_str(),
                   requests[nShown].Header("User-Agent").c_str());
        fflush(stdout);
    }
    service.Stop();
    printf("stopped\n");
    return 0;
}
