#include "platform/TextFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#endif
#include <cstdio>

namespace quorin {

namespace {

// Looked up once: every look-up searches the converters by name.
QTextCodec* gbk() {
    static QTextCodec* const codec = QTextCodec::codecForName("GBK");
    Q_ASSERT(codec);
    return codec;
}

// GBK keeps ASCII as it is, one byte a character; most files of the program
// (numbers, TABs, colour texts) are nothing else.
bool isAscii(QByteArrayView bytes) {
    unsigned char all = 0;
    for (const char c : bytes)
        all |= static_cast<unsigned char>(c);
    return all < 0x80;
}

bool isAscii(QStringView text) {
    char16_t all = 0;
    for (const QChar c : text)
        all |= c.unicode();
    return all < 0x80;
}

bool syncHandle(QFileDevice& f) {
    if (!f.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(f.handle()) == 0;
#elif defined(Q_OS_WIN)
    return ::_commit(f.handle()) == 0;
#else
    return true;
#endif
}

// Renames `from` to `to` in one step, replacing `to` if it exists.
bool renameOver(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool writeBytes(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode) {
    QFile f(path);
    if (!f.open(mode))
        return false;
    if (f.write(bytes) != bytes.size())
        return false;
    f.close();
    return f.error() == QFileDevice::NoError;
}

} // namespace

QByteArray toGbk(const QString& text) {
    if (isAscii(QStringView(text)))
        return text.toLatin1();
    return gbk()->fromUnicode(text);
}

QString fromGbk(const QByteArray& bytes) {
    if (isAscii(QByteArrayView(bytes)))
        return QString::fromLatin1(bytes);
    return gbk()->toUnicode(bytes);
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool tooLargeToRead(const QString& path) {
    return fileExists(path) && QFileInfo(path).size() > maxTextFileBytes;
}

QString tooLargeMessage(const QString& path) {
    return QStringLiteral("文件 %1 太大（超过 %2 MB），无法读取。")
        .arg(QDir::toNativeSeparators(path))
        .arg(maxTextFileBytes / (1024 * 1024));
}

std::optional<QByteArray> readFileBytes(const QString& path) {
    QFile f(path);
    if (!fileExists(path) || f.size() > maxTextFileBytes || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file's own size, and room for the line end a reader adds: no
    // buffer of the largest size allowed, no copy to grow it.
    const qint64 size = f.size();
    QByteArray bytes;
    bytes.reserve(size + 2);
    bytes.resize(size);
    const qint64 got = f.read(bytes.data(), size);
    if (got < 0)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool appendFileBytes(const QString& path, const QByteArray& bytes) {
    // Unbuffered, so a failed write is seen here and not at close.
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 before = f.size();
    if (f.write(bytes) == bytes.size())
        return true;
    // A record cut short by a full disk would spoil the file for its readers:
    // the file goes back to what it held.
    f.resize(before);
    return false;
}

std::optional<QString> readTextFile(const QString& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return fromGbk(*bytes);
}

bool writeTextFile(const QString& path, const QString& text) {
    return writeBytes(path, toGbk(text), QIODevice::WriteOnly | QIODevice::Truncate);
}

bool replaceTextFile(const QString& path, const QString& text) {
    return replaceFileBytes(path, toGbk(text));
}

bool replaceFileBytes(const QString& path, const QByteArray& bytes) {
    // Unbuffered: a buffered QSaveFile takes a write cut short by a full disk
    // for a whole one and commits the truncated file.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (f.write(bytes) != bytes.size())
        return false; // the temporary file is removed with `f`
    return f.commit();
}

bool syncFileToDisk(const QString& path) {
    // Write access: some systems flush only a handle that may write.
    QFile f(path);
    return f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) && syncHandle(f);
}

bool syncFolderOf(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#else
    Q_UNUSED(path); // folders cannot be flushed there; renames are journaled
    return true;
#endif
}

bool replaceFileBytesDurably(const QString& path, const QByteArray& bytes) {
    // A temporary file of a fixed name: one left by a kill is overwritten by
    // the next replacement of the same file rather than piling up.
    const QString temp = path + QStringLiteral(".new");
    QFile f(temp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool written = f.write(bytes) == bytes.size() && syncHandle(f);
    f.close();
    if (!written || !renameOver(temp, path)) {
        QFile::remove(temp);
        return false;
    }
    return syncFolderOf(path);
}

bool removeFileDurably(const QString& path) {
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return false;
    return syncFolderOf(path);
}

bool appendTextFile(const QString& path, const QString& text) {
    return appendFileBytes(path, toGbk(text));
}

} // namespace quorin
