#include "session/listfolder.h"

#include "session/sittings.h"

#include <QFileInfo>

namespace tirages::session {
namespace {

const QString kListFolder = QStringLiteral("list_folder");

} // namespace

QString ListFolder::folder(const QString& home) const {
    QString folder = m_last;
    if (folder.isEmpty() && m_sittings.store())
        folder = m_sittings.store()->preferences().value(kListFolder);
    return folder.isEmpty() || !QFileInfo(folder).isDir() ? home : folder;
}

void ListFolder::chosen(const QString& path) {
    m_last = QFileInfo(path).absolutePath();
    if (m_sittings.store())
        (void)m_sittings.store()->preferences().set(kListFolder, m_last);
}

} // namespace tirages::session
