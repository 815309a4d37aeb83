// The whole road of a big catalogue on the main window: the web-connected choice fetches 100000
// names from a scripted service on 127.0.0.1, reads, sorts and shows them. The step-by-step
// quadratic reading and sorting of 2000 names runs beside it for scale.
// Usage: bench_names_window [names] [literalNames]
#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "platform/net/CSocketsLayer.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/Resources.h"
#include "res/ZentrimoResources.h"
#include "tests/names/LiteralNameList.h"
#include "tests/support/ScratchPrefix.h"
#include "tests/support/ScriptedHttpServer.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::vector<std::string> RandomNames(size_t count)
{
    std::mt19937 random(1);
    std::vector<std::string> names;
    for (size_t i = 0; i < count; ++i) {
        std::string name(1, static_cast<char>((random() % 2 ? 'A' : 'a') + random() % 26));
        for (int n = 3 + static_cast<int>(random() % 8); n > 0; --n)
            name += static_cast<char>('a' + random() % 26);
        names.push_back(name);
    }
    return names;
}

std::string Items(const std::vector<std::string>& names, const char* lt, const char* gt)
{
    std::string items;
    for (const std::string& name : names)
        items += std::string(lt) + "item" + gt + lt + "displayname" + gt + name + lt + "/displayname" + gt +
                 lt + "/item" + gt;
    return items;
}

struct Connected : CSocketsLayer
{
    HOSTENT entry;
    int Startup(WORD, WSADATA* data) override { return data->wVersion = MAKEWORD(2, 2), 0; }
    HOSTENT* LookUp(const char*) override { return &entry; }
    int Cleanup() override { return 0; }
};

struct Boxes : ui::ModalDriver
{
    int count = 0;
    void RunDialog(CDialog& dialog) override { dialog.EndDialog(IDCANCEL); }
    int RunMessageBox(const ui::MessageBoxCall& box) override
    {
        std::fprintf(stderr, "box: %s\n", box.text.c_str());
        return ++count, IDOK;
    }
    std::optional<std::string> RunFolderPicker(const ui::FolderPickerCall&) override { return std::nullopt; }
    std::optional<std::string> RunFileOpenPicker(const ui::FileOpenCall&) override { return std::nullopt; }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResourceHandle(&ZentrimoResources());
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t literalCount = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 2000;

    ScratchPrefix prefix;
    std::filesystem::create_directories(prefix.DriveC() / "Program Files" / "Velmora");
    std::ofstream(prefix.DriveC() / "Program Files" / "Velmora" / "Velmora.exe") << "MZ";
    ScriptedHttpServer service;
    service.Reply("/olvwebservice/default.asmx/ProcessReq", 200,
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<string xmlns=\"urn:olv:webservice\">"
                  "&lt;OLVServerCall ver=\"1.0\"&gt;&lt;rc&gt;0&lt;/rc&gt;&lt;rm&gt;" +
                      Items(RandomNames(count), "&lt;", "&gt;") +
                      "&lt;/rm&gt;&lt;/OLVServerCall&gt;</string>\r\n");
    Connected sockets;
    CScopedSocketsLayer scopedSockets(sockets);
    Boxes boxes;
    ui::ScopedModalDriver scopedDriver(boxes);

    AppOptions options;
    options.serviceHost = service.HostPort();
    options.probeHost = "probe.zentrimo.test";
    CMainDlg dlg(options);
    dlg.Create(IDD_MAIN_DIALOG);
    // The service call alone first, to tell the transport's share from reading, sorting and showing.
    auto start = std::chrono::steady_clock::now();
    const std::string reply =
        dlg.ServerCall("ProcessReq?clientXMLString=<comver>1.0</comver><conmeth>direct"
                       "</conmeth><prod>vmr</prod><op>ListPackages</op><type>name</type>");
    const double call = Seconds(start);
    Peek(dlg).m_btnScenarioWeb.SetCheck(BST_CHECKED);
    start = std::chrono::steady_clock::now();
    dlg.OnScenarioWeb();
    const double window = Seconds(start);
    const int shown = Peek(dlg).m_listNames.GetItemCount();
    // Showing alone: the list view emptied and filled again as the choice fills it.
    start = std::chrono::steady_clock::now();
    Peek(dlg).m_listNames.DeleteAllItems();
    for (size_t i = 0; i < Peek(dlg).m_nameList.size(); ++i)
        Peek(dlg).m_listNames.InsertItem(static_cast<int>(i), Peek(dlg).m_nameList[i]);
    const double fill = Seconds(start);
    dlg.DestroyWindow();

    const std::string small = Items(RandomNames(literalCount), "<", ">");
    const auto literalStart = std::chrono::steady_clock::now();
    std::vector<std::string> slow;
    literal::ItemNames(small, slow);
    literal::BubbleSort(slow);
    const double literalSeconds = Seconds(literalStart);

    if (boxes.count || shown != static_cast<int>(count)) {
        std::printf("the list shows %d of %zu names\n", shown, count);
        return 1;
    }
    std::printf("web-connected choice with %zu names (fetch over 127.0.0.1, read, sort, show): %.3f s\n",
                count, window);
    std::printf(
        "  of which the service call (ServerCall, %zu bytes of reply text): %.3f s; the rest: %.3f s\n",
        reply.size(), call, window - call);
    std::printf("  filling the list view alone: %.3f s\n", fill);
    std::printf(
        "step-by-step reading and sorting of %zu names: %.3f s; ratio window(%zu)/literal(%zu): %.2f\n",
        literalCount, literalSeconds, count, literalCount, window / literalSeconds);
    return 0;
}
