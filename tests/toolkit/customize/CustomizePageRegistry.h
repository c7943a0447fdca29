// What a customize page left in the profile, read by the system's own
// registry tool ("reg query") as a person checking the prefix would, and the
// removal of a page's section before a test.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// The test application's profile key.
inline std::string ProfileSectionPath(const char* lpszSection)
{
    return std::string("Software\\Pellucor Test\\PellucorTests\\") + lpszSection;
}

inline void DeleteProfileSection(const char* lpszSection)
{
    ::RegDeleteKeyA(HKEY_CURRENT_USER, ProfileSectionPath(lpszSection).c_str());
}

// The values of a section as "reg query" lists them: numbers in decimal,
// texts as they are. Empty when the section does not exist.
inline std::map<std::string, std::string> RegQuerySection(const char* lpszSection)
{
    std::map<std::string, std::string> values;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return values;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    std::string sCommand = "reg.exe query \"HKCU\\" + ProfileSectionPath(lpszSection) + "\"";
    STARTUPINFOA si = {sizeof(si)};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = hWrite;
    si.hStdInput = NULL;
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = ::CreateProcessA(NULL, &sCommand[0], NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    ::CloseHandle(hWrite);
    std::string sOutput;
    if (bStarted) {
        char buffer[4096];
        DWORD nRead = 0;
        while (::ReadFile(hRead, buffer, sizeof(buffer), &nRead, NULL) && nRead > 0)
            sOutput.append(buffer, nRead);
        ::WaitForSingleObject(pi.hProcess, 30000);
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    ::CloseHandle(hRead);

    // "    Name    REG_TYPE    value"
    size_t nPos = 0;
    while (nPos < sOutput.size()) {
        size_t nEnd = sOutput.find('\n', nPos);
        std::string sLine = sOutput.substr(nPos, nEnd == std::string::npos ? std::string::npos : nEnd - nPos);
        nPos = nEnd == std::string::npos ? sOutput.size() : nEnd + 1;
        while (!sLine.empty() && (sLine.back() == '\r' || sLine.back() == ' '))
            sLine.pop_back();
        size_t nType = sLine.find("    REG_");
        if (sLine.compare(0, 4, "    ") != 0 || nType == std::string::npos)
            continue;
        std::string sName = sLine.substr(4, nType - 4);
        size_t nValue = sLine.find("    ", nType + 4);
        std::string sType = sLine.substr(nType + 4, nValue == std::string::npos ? std::string::npos : nValue - nType - 4);
        std::string sValue = nValue == std::string::npos ? "" : sLine.substr(nValue + 4);
        if (sType == "REG_DWORD")
            sValue = std::to_string((long)strtoul(sValue.c_str(), NULL, 16));
        values[sName] = sValue;
    }
    return values;
}
