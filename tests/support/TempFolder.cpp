#include "support/TempFolder.h"
#include <QCoreApplication>
#include <QFile>

namespace quorin::test {

TempFolder::TempFolder() : folder_(dir_.path()) {}

void TempFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempFolder::read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

bool TempFolder::copyPicture(const QString& name) const {
    return QFile::copy(QCoreApplication::applicationDirPath() + "/" + name, file(name));
}

} // namespace quorin::test
