// The report mailer against the stand-in mail interface built beside the tests:
// what reaches the interface, and the quiet failure without one.
#include <gtest/gtest.h>

#include "MailMsg.h"
#include "TestFolder.h"

namespace {

class MailMsgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sLog = m_folder.File("mapi.log");
        SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", m_sLog);
    }
    void TearDown() override { SetEnvironmentVariableA("PELLUCOR_MAPI_LOG", NULL); }

    std::string Recorded() const { return ReadFileBytes(m_sLog); }

    CTestFolder m_folder;
    CString m_sLog;
};

TEST_F(MailMsgTest, SendHandsTheWholeMessageToTheMailProgram)
{
    CString sReport = m_folder.File("crash.err");
    {
        CMailMsg mail;
        mail.SetFrom("user@example.com", "Pellucor User");
        mail.AddRecipient("support@example.com", "Support");
        mail.AddRecipient("anna@example.com", "Anna");
        mail.AddCc("cc@example.com", "Copy");
        mail.AddBcc("bcc@example.com", "");
        mail.AddAttachment(sReport, "crash.err");
        mail.SetSubject("Question by C:\\Pellucor\\Pellucor.exe\r\n\r\n");
        mail.SetMessage("< Question 1 : >\r\nВопрос");
        EXPECT_TRUE(mail.Send());

        // The interface that answered is the one beside the test, not the system's.
        char szPath[MAX_PATH] = "";
        GetModuleFileNameA(GetModuleHandleA("mapi32.dll"), szPath, MAX_PATH);
        char szExe[MAX_PATH] = "";
        GetModuleFileNameA(NULL, szExe, MAX_PATH);
        CString sDir(szExe);
        sDir = sDir.Left(sDir.ReverseFind('\\') + 1);
        EXPECT_EQ(0, CString(szPath).CompareNoCase(sDir + "mapi32.dll")) << szPath;
    }

    // Recipients go in class order, each class ordered by address; the CMC road
    // is never taken.
    std::string expected =
        "logon profile=none password=none flags=0x0\n"
        "send session=ok flags=0x8\n"
        "orig: Pellucor User <user@example.com>\n"
        "to: Anna <anna@example.com>\n"
        "to: Support <support@example.com>\n"
        "cc: Copy <cc@example.com>\n"
        "bcc:  <bcc@example.com>\n"
        "subject: Question by C:\\Pellucor\\Pellucor.exe\\r\\n\\r\\n\n"
        "text: < Question 1 : >\\r\\nВопрос\n"
        "files: 1\n"
        "file: " + std::string(sReport) + " | crash.err | position=-1 flags=0x0 type=none\n"
        "logoff session=ok flags=0x0\n";
    EXPECT_EQ(expected, Recorded());
}

TEST_F(MailMsgTest, RepeatedKeysKeepTheLastValueAndNoAttachmentsPassNoList)
{
    CMailMsg mail;
    mail.AddRecipient("support@example.com", "First");
    mail.AddRecipient("support@example.com", "Second");
    mail.AddCc("cc@example.com", "Old");
    mail.AddCc("cc@example.com", "New");
    mail.SetSubject("Question");
    EXPECT_TRUE(mail.Send());

    EXPECT_EQ("logon profile=none password=none flags=0x0\n"
              "send session=ok flags=0x8\n"
              "orig: none\n"
              "to: Second <support@example.com>\n"
              "cc: New <cc@example.com>\n"
              "subject: Question\n"
              "text: \n"
              "files: 0, no list\n"
              "logoff session=ok flags=0x0\n",
              Recorded());
}

// Without a usable mail interface nothing is kept and nothing is shown: Send is
// a plain FALSE (a message box here would hang the run).
TEST_F(MailMsgTest, SendFailsQuietlyWithoutAUsableMailInterface)
{
    static const struct { const char* library; const char* why; } cases[] = {
        { "pellucor-no-such-mail.dll", "the library cannot be loaded" },
        { "kernel32.dll", "the library has neither Simple MAPI nor CMC" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.why);
        CMailMsg mail(c.library);
        EXPECT_FALSE(mail.Initialize());
        mail.SetFrom("user@example.com", "User");
        mail.AddRecipient("support@example.com", "Support");
        mail.AddAttachment(m_folder.File("crash.err"), "crash.err");
        mail.SetSubject("Question");
        EXPECT_FALSE(mail.Send());
    }
    EXPECT_EQ("<missing>", Recorded());
}

} // namespace
