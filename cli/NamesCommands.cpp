// Each command of zentrimo-names: the folders and the names it works on, then the name commands in turn.
#include "cli/NamesCommands.h"

#include <filesystem>
#include <optional>
#include <regex>
#include <set>

#include "cli/NameListFile.h"
#include "cli/TerminalUi.h"
#include "locator/ConnectionProbe.h"
#include "locator/VelmoraSearch.h"
#include "names/CloseNames.h"
#include "names/InstalledNames.h"
#include "names/NameCommandSteps.h"
#include "names/NameInstall.h"
#include "names/NameRequestForm.h"
#include "names/NameSave.h"
#include "names/SavedNamesInstall.h"
#include "platform/codepage/CodePage.h"
#include "platform/console/Console.h"
#include "platform/core/CException.h"
#include "platform/fs/CFile.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ModulePath.h"
#include "platform/fs/WinPath.h"
#include "service/CServiceClient.h"
#include "service/ServiceHost.h"
#include "service/ServiceTexts.h"

namespace cli {

namespace {

void Say(console::Stream stream, const std::string& line)
{
    console::Write(stream, line + "\n");
}

// A message in the user's terms: the name commands name files in Windows form ("Z:\\home\\ann\\class.txt"),
// which on Linux become the host paths the user typed ("/home/ann/class.txt"). A path runs to ": " or the
// end.
std::string InUserTerms(const std::string& message)
{
    static const std::regex kPath(R"(\b[A-Za-z]:\\.*?(?=: |$))");
    std::string result;
    std::size_t done = 0;
    for (std::sregex_iterator it(message.begin(), message.end(), kPath), end; it != end; ++it) {
        const std::filesystem::path host = winpath::ToHost(it->str());
        result += message.substr(done, static_cast<std::size_t>(it->position()) - done);
        result += host.empty() ? it->str() : host.string();
        done = static_cast<std::size_t>(it->position() + it->length());
    }
    return result + message.substr(done);
}

void Tell(const std::string& line)
{
    Say(console::Stream::Error, "zentrimo-names: " + InUserTerms(line));
}

// A folder or file named on the command line (a host path on Linux) in the form the name commands take.
std::string ProgramPath(const std::string& argument)
{
    return winpath::ToWindows(winpath::FromText(argument));
}

// The folder this program runs from, with its backslash: Temp.zip and VMRNames.zip are looked for there.
std::string ProgramFolder()
{
    return ModuleFolderOf(ModuleFileName());
}

std::string ReadWholeFile(const std::string& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    std::string bytes(static_cast<std::size_t>(file.GetLength()), '\0');
    if (!bytes.empty())
        bytes.resize(file.Read(bytes.data(), static_cast<unsigned>(bytes.size())));
    return bytes;
}

std::string WithBackslash(const std::string& folder)
{
    return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

// The messages of a step as one reason: "Unable to download name files." and the like.
std::string Reason(std::vector<std::string> messages, const std::string& fallback)
{
    std::string reason;
    for (const std::string& message : messages)
        reason += (reason.empty() ? "" : " ") + message;
    return reason.empty() ? fallback : reason;
}

class CCommandRun
{
public:
    explicit CCommandRun(const NamesOptions& options)
        : m_options(options),
          m_ui(!options.quiet && console::IsTerminal(console::Stream::Error), options.proxyUser),
          m_client(options.serviceHost.empty() ? service::kDefaultServiceHost : options.serviceHost,
                   m_proxyUser, m_proxyPassword, m_ui)
    {
    }

    int Run()
    {
        switch (m_options.command) {
        case Command::List:
            return m_options.installed ? ListInstalled() : ListCatalogue();
        case Command::Install:
        case Command::Save:
            return InstallOrSave();
        case Command::InstallSaved:
            return InstallSaved();
        case Command::Request:
            return Request();
        case Command::None:
            break;
        }
        return kUsageError;
    }

private:
    // The Velmora folder: --velmora-folder, else the one this computer's entry, default folder or search
    // gives; "" after telling why.
    std::string VelmoraFolder()
    {
        if (!m_options.velmoraFolder.empty()) {
            const std::string folder = WithBackslash(ProgramPath(m_options.velmoraFolder));
            if (!velmora::HoldsExecutable(folder)) {
                Tell(m_options.velmoraFolder + ": Velmora is not in this folder (no " +
                     velmora::kExecutableName + ")");
                return {};
            }
            return folder;
        }
        const std::string found = velmora::LocateFolder();
        if (found.empty())
            Tell("Velmora was not found on this computer; name its folder with --velmora-folder");
        return found;
    }

    bool Connected()
    {
        if (velmora::ProbeHost(m_options.probeHost.empty() ? service::kDefaultProbeHost
                                                           : m_options.probeHost))
            return true;
        Tell("this computer cannot reach the internet");
        return false;
    }

    // The catalogue, fetched once; nothing after telling why.
    std::optional<std::vector<std::string>> Catalogue()
    {
        std::vector<std::string> names;
        m_ui.ShowNotice("Downloading name list, please wait...");
        const bool fetched = namelist::FetchNameList(m_client, names);
        m_ui.HideNotice();
        if (!fetched) {
            Tell("the name list could not be fetched from " + m_client.HostAndPort() + ": " +
                 Reason(m_ui.TakeMessages(), "no reply"));
            return std::nullopt;
        }
        m_ui.TakeMessages();
        return names;
    }

    // The names the command was given: its operands, or the lines of --from FILE; nothing after telling
    // why the file cannot be read.
    std::optional<std::vector<std::string>> RequestedNames()
    {
        if (m_options.fromFile.empty()) {
            std::vector<std::string> names;
            std::set<std::string> seen;
            for (const std::string& name : m_options.names)
                if (seen.insert(name).second)
                    names.push_back(name);
            return names;
        }
        std::string bytes;
        if (m_options.fromFile == "-") {
            while (const std::optional<std::string> line = console::ReadLine(true))
                bytes += *line + "\n";
        } else {
            try {
                bytes = ReadWholeFile(ProgramPath(m_options.fromFile));
            } catch (const CException& e) {
                Tell(e.GetErrorMessage());
                return std::nullopt;
            }
        }
        std::string error;
        std::optional<std::vector<std::string>> utf8 = ParseNameList(bytes, error);
        if (!utf8) {
            Tell(m_options.fromFile + ": " + error);
            return std::nullopt;
        }
        // The program's strings are in its code page (UTF-8 but on an older Windows).
        std::vector<std::string> names;
        for (const std::string& name : *utf8) {
            std::string converted;
            names.push_back(codepage::Utf8ToAnsi(name, converted) ? converted : name);
        }
        return names;
    }

    int ListCatalogue()
    {
        if (!Connected())
            return kNothingDone;
        const std::optional<std::vector<std::string>> catalogue = Catalogue();
        if (!catalogue)
            return kNothingDone;
        for (const std::string& name : *catalogue)
            Say(console::Stream::Output, name);
        return kAllDone;
    }

    int ListInstalled()
    {
        const std::string velmoraFolder = VelmoraFolder();
        if (velmoraFolder.empty())
            return kNothingDone;
        for (const std::string& name : namelist::InstalledNames(velmora::NamesFolder(velmoraFolder)))
            Say(console::Stream::Output, name);
        return kAllDone;
    }

    int InstallOrSave()
    {
        const bool save = m_options.command == Command::Save;
        std::optional<std::vector<std::string>> requested = RequestedNames();
        if (!requested)
            return kNothingDone;
        std::string namesFolder, saveFolder;
        if (save) {
            saveFolder = WithBackslash(ProgramPath(m_options.toFolder));
            if (!FolderExists(saveFolder)) {
                Tell(m_options.toFolder + ": no such folder");
                return kNothingDone;
            }
        } else {
            const std::string velmoraFolder = VelmoraFolder();
            if (velmoraFolder.empty())
                return kNothingDone;
            namesFolder = velmora::NamesFolder(velmoraFolder);
            try {
                if (!namelist::NamesFolderTakesFiles(namesFolder, m_ui)) {
                    m_ui.ClearStatus();
                    Tell(Reason(m_ui.TakeMessages(), namesFolder + ": no new files may be made here"));
                    return kNothingDone;
                }
            } catch (const CException& e) {
                Tell(e.GetErrorMessage());
                return kNothingDone;
            }
        }
        if (!Connected())
            return kNothingDone;
        const std::optional<std::vector<std::string>> catalogue = Catalogue();
        if (!catalogue)
            return kNothingDone;

        // Each requested name in the catalogue's spelling, once; the others told with their neighbours.
        std::vector<std::string> listed;
        std::set<std::string> seen;
        std::size_t notListed = 0;
        for (const std::string& typed : *requested) {
            const std::string name = namelist::ListedName(*catalogue, typed);
            if (name.empty()) {
                ++notListed;
                const std::vector<std::string> close = namelist::CloseNames(*catalogue, typed);
                std::string hint;
                for (const std::string& candidate : close)
                    hint += (hint.empty() ? " (close: " : ", ") + candidate;
                Tell(typed + ": not in the catalogue" + (hint.empty() ? "" : hint + ")"));
            } else if (seen.insert(name).second) {
                listed.push_back(name);
            }
        }

        std::size_t done = 0, failed = 0;
        const std::string moduleFolder = ProgramFolder();
        for (std::size_t i = 0; i < listed.size(); ++i) {
            const std::string& name = listed[i];
            m_ui.ShowStep(i, listed.size(), name);
            std::optional<std::string> failure;
            try {
                const std::string url = namelist::RequestPackageUrl(m_client, name);
                const namelist::CommandOutcome outcome =
                    url.empty() || url == service::kValueNotFound
                        ? namelist::CommandOutcome::Failed(namelist::kDownloadFailed,
                                                           namelist::kFailureCaption)
                    : save ? namelist::SaveForTransfer(m_client, url, name, saveFolder)
                           : namelist::InstallPackage(m_client, url, name, namesFolder, moduleFolder);
                if (!outcome.succeeded)
                    failure = Reason(m_ui.TakeMessages(), outcome.text);
            } catch (const CException& e) {
                failure = e.GetErrorMessage();
            }
            m_ui.ClearStatus();
            std::vector<std::string> said = m_ui.TakeMessages();
            if (failure) {
                ++failed;
                Tell(name + ": " + (said.empty() ? *failure : Reason(said, *failure)));
            } else {
                ++done;
                Say(console::Stream::Output, (save ? "saved " : "installed ") + name);
            }
        }
        m_ui.ClearStatus();
        if (!m_options.quiet)
            Say(console::Stream::Error, std::string(save ? "saved " : "installed ") + std::to_string(done) +
                                            ", not in the catalogue " + std::to_string(notListed) +
                                            ", failed " + std::to_string(failed));
        return failed == 0 && notListed == 0 ? kAllDone : kSomeNotDone;
    }

    int InstallSaved()
    {
        const std::string archive =
            m_options.archive.empty() ? ProgramFolder() + "VMRNames.zip" : ProgramPath(m_options.archive);
        if (!FileExists(archive)) {
            Tell((m_options.archive.empty() ? archive : m_options.archive) + ": no transfer archive here");
            return kNothingDone;
        }
        const std::string velmoraFolder = VelmoraFolder();
        if (velmoraFolder.empty())
            return kNothingDone;
        const std::string namesFolder = velmora::NamesFolder(velmoraFolder);
        try {
            const namelist::CommandOutcome outcome = namelist::InstallArchive(m_ui, archive, namesFolder);
            if (!outcome.succeeded) {
                Tell(Reason(m_ui.TakeMessages(), archive + ": not installed"));
                return kNothingDone;
            }
        } catch (const CException& e) {
            Tell(e.GetErrorMessage());
            return kNothingDone;
        }
        const std::vector<std::string> names = namelist::ArchivedNames(archive);
        for (const std::string& name : names)
            Say(console::Stream::Output, "installed " + name);
        if (!m_options.quiet)
            Say(console::Stream::Error,
                "installed " + std::to_string(names.size()) + " from " + InUserTerms(archive));
        return kAllDone;
    }

    int Request()
    {
        if (!Connected())
            return kNothingDone;
        namelist::RequestForm form;
        form.strRecordName = m_options.request.name;
        form.strRequester = m_options.request.requester;
        form.strEmail = m_options.request.email;
        form.strPronunciation = m_options.request.pronunciation;
        form.strComments = m_options.request.comments;
        const namelist::CommandOutcome outcome = namelist::SendRequestForm(m_client, form);
        m_ui.ClearStatus();
        const std::vector<std::string> said = m_ui.TakeMessages();
        if (outcome.succeeded) {
            for (const std::string& answer : said)
                Say(console::Stream::Output, answer);
            return kAllDone;
        }
        Tell("the request was not sent: " + Reason(said, outcome.text.empty() ? "no reply" : outcome.text));
        return kNothingDone;
    }

    const NamesOptions& m_options;
    std::string m_proxyUser;
    std::string m_proxyPassword;
    CTerminalUi m_ui;
    service::CServiceClient m_client;
};

} // namespace

int RunNamesCommand(const NamesOptions& options)
{
    return CCommandRun(options).Run();
}

} // namespace cli
