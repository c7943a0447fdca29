// The external-tools editor of the real program: command 32771 of the main
// frame opens it; a tool added and named there is in "ExternalTools.ini"
// when the program ends.
#include "PellucorProcess.h"

namespace {

const int nToolsAddId = 1065;     // the editor's Add button
const int nToolsTitleId = 1081;   // its title field
const UINT nExternalToolsCommand = 32771;

class ExternalToolsProcessTest : public PellucorProcessTest
{
protected:
    void SetUp() override
    {
        PellucorProcessTest::SetUp();
        m_sToolsPath = ProgramFolder() + "ExternalTools.ini";
        m_bHadTools = TestPathExists(m_sToolsPath.c_str());
        if (m_bHadTools)
            m_sSavedTools = ReadFileBytes(m_sToolsPath.c_str());
        DeleteFileA(m_sToolsPath.c_str());
    }
    void TearDown() override
    {
        PellucorProcessTest::TearDown();
        DeleteFileA(m_sToolsPath.c_str());
        if (m_bHadTools)
            WriteFileBytes(m_sToolsPath.c_str(), m_sSavedTools);
    }

    std::string m_sToolsPath;
    bool m_bHadTools = false;
    std::string m_sSavedTools;
};

TEST_F(ExternalToolsProcessTest, CommandOpensTheEditorWhoseToolsAreSavedAtExit)
{
    Start();
    HWND hFrame = WaitForMainFrame();
    ASSERT_NE(hFrame, nullptr);
    ASSERT_TRUE(WaitForStartUp(hFrame, [&] { return IsWindowVisible(hFrame) != FALSE; }));

    PostMessageA(hFrame, WM_COMMAND, nExternalToolsCommand, 0);
    HWND hEditor = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hEditor = DialogWith(nToolsAddId)) != nullptr; }, kWaitMs))
        << "on screen: " << Describe(Windows(true));
    EXPECT_EQ(RemoteText(hEditor), "External Tools");
    EXPECT_EQ(GetWindow(hEditor, GW_OWNER), hFrame);

    PostMessageA(hEditor, WM_COMMAND, MAKEWPARAM(nToolsAddId, BN_CLICKED), (LPARAM)GetDlgItem(hEditor, nToolsAddId));
    HWND hTitle = GetDlgItem(hEditor, nToolsTitleId);
    EXPECT_TRUE(WaitFor([&] { return RemoteText(hTitle) == "External Tool #0"; }, kWaitMs)) << RemoteText(hTitle);
    Send(hTitle, WM_SETTEXT, 0, (LPARAM) "Calculator");
    PostMessageA(hEditor, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return DialogWith(nToolsAddId) == nullptr; }, kWaitMs));

    EXPECT_EQ(Close(), 0u);
    EXPECT_EQ(ReadFileBytes(m_sToolsPath.c_str()), "1.1\r\nCalculator\r\n\r\n\r\n\r\n0 0\r\n");
}

}  // namespace
