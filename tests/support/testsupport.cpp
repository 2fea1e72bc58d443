#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace tirages::test {

QString fixture(const QString& name) {
    return QStringLiteral(TIRAGES_TEST_DATA "/") + name;
}

SeedSource countingSeeds() {
    auto next = std::make_shared<quint64>(0);
    return [next] { return ++*next; };
}

QByteArray numberedList(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "D" + QByteArray::number(i) + ";S" + QByteArray::number(i) + "\r\n";
    return bytes;
}

WorkingFolder::WorkingFolder() : m_previous(QDir::currentPath()) {
    QDir::setCurrent(m_dir.path());
}

WorkingFolder::~WorkingFolder() {
    QDir::setCurrent(m_previous);
}

void WorkingFolder::write(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = QDir(m_dir.path()).filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace tirages::test
