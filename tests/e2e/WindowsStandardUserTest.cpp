// Windows only: Velmora under Program Files, where a standard user may not add files, and the program
// run by that user and elevated.
#include "tests/support/SampleRoadFixture.h"

#include "locator/VelmoraSearch.h"
#include "tests/support/strict/WindowsUser.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

class WindowsStandardUserTest : public SampleRoadTest
{
protected:
    void SetUp() override
    {
        strict::UserScope installer(strict::WindowsUser::Elevated);
        computer.InstallVelmora();
    }
};

TEST_F(WindowsStandardUserTest, NamesFolderUnderProgramFilesIsRefusedWithOneBoxAndInstallsElevated)
{
    strict::ProtectedFolder programFiles(computer.VelmoraLocation());
    const std::string name = service.Names().front();
    {
        strict::UserScope user(strict::WindowsUser::Standard);
        Open(true);
        const std::string namesFolder =
            velmora::NamesFolder(Peek(*dlg).m_editVelmoraLocation.GetWindowText());
        Type(name);
        script.ExpectBox("You may not change the names folder " + namesFolder +
                             ".  Start Zentrimo again as an administrator and install the name once more.",
                         "Access Denied");
        Peek(*dlg).m_btnInstall.Click();
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(std::vector<std::string>{}, FileNamesIn(computer.NamesFolder()))
            << "nothing half-installed";
        EXPECT_EQ(std::vector<std::string>{}, FileNamesIn(computer.ProgramFolder())) << "nothing downloaded";
        EXPECT_TRUE(Peek(*dlg).m_strLastName.empty());

        // The offline road asks for no rights.
        CloseWindow();
        Open(false);
        Save(name);
        EXPECT_EQ(std::vector<std::string>{"VMRNames.zip"}, FileNamesIn(computer.ProgramFolder()));
        CloseWindow();
    }
    strict::UserScope administrator(strict::WindowsUser::Elevated);
    Open(true);
    Install(name);
    ExpectInstalled(name);
}

} // namespace
