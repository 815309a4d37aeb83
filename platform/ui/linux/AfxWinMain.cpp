// The start of the desktop application on Qt: the application object runs inside a QApplication.
#include <QApplication>

#include "platform/ui/CWinApp.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/detail/UiBackend.h"

int AfxWinMain(int argc, char** argv)
{
    static int s_argc = argc; // QApplication keeps a reference to it
    QApplication application(s_argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->m_strAppName.empty())
        app->m_strAppName = AfxGetAppName();
    QApplication::setApplicationName(QString::fromStdString(app->m_strAppName));
    if (!app->InitInstance())
        return app->ExitInstance();
    QApplication::exec();
    return app->ExitInstance();
}
