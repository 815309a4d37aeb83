// The file-open picker on Qt's file dialog; filters of "description|pattern|" pairs.
#include "platform/ui/CFileDialog.h"

#include <QFileDialog>

#include "platform/fs/WinPath.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

namespace {

// "Names (zip)|VMRNames.zip|All|*.*|" becomes "Names (zip) (VMRNames.zip);;All (*.*)".
QString QtFilter(const std::string& filter)
{
    QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            break;
        entries << parts[i] + QStringLiteral(" (") +
                       parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' ')) + QStringLiteral(")");
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace

std::optional<std::string> CFileDialog::RunSystemPicker(const ui::FileOpenCall& call) const
{
    QFileDialog dialog(call.owner ? ToWidget(call.owner) : DefaultOwner());
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                              : QFileDialog::AnyFile);
    if (!call.initialFolder.empty())
        dialog.setDirectory(QString::fromStdString(winpath::ToHost(call.initialFolder).string()));
    if (!m_strFilter.empty())
        dialog.setNameFilter(QtFilter(m_strFilter));
    if (!m_strDefExt.empty())
        dialog.setDefaultSuffix(ToQt(m_strDefExt));
    if (!m_strFileName.empty())
        dialog.selectFile(ToQt(m_strFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return winpath::ToWindows(std::filesystem::path(dialog.selectedFiles().front().toStdString()));
}
