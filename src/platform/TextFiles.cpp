#include "platform/TextFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextCodec>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#include <windows.h>
#endif
#include <algorithm>
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

// A replacement is written to a temporary file beside its target first,
// named after it: the target's name, ".quorin-", six letters or digits,
// ".tmp". One left by a crash is removed the next time the same target is
// written; no file of any other name is ever removed.
constexpr QLatin1StringView tempInfix(".quorin-");
constexpr QLatin1StringView tempSuffix(".tmp");
constexpr qsizetype tempRandomChars = 6;

QString tempNameFor(const QString& target) {
    static constexpr char chars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = target + tempInfix;
    for (qsizetype i = 0; i < tempRandomChars; ++i)
        name += QLatin1Char(chars[QRandomGenerator::system()->bounded(int(sizeof chars - 1))]);
    return name + tempSuffix;
}

bool isTempNameOf(QStringView name, QStringView target) {
    const qsizetype stem = target.size() + tempInfix.size();
    if (name.size() != stem + tempRandomChars + tempSuffix.size() || !name.startsWith(target) ||
        !name.sliced(target.size()).startsWith(tempInfix) || !name.endsWith(tempSuffix))
        return false;
    const QStringView random = name.sliced(stem, tempRandomChars);
    return std::all_of(random.begin(), random.end(),
                       [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
}

void removeLeftoverTemps(const QFileInfo& target) {
    QDir dir = target.absoluteDir();
    dir.setNameFilters({QStringLiteral("*") + tempInfix + QStringLiteral("*") + tempSuffix});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& f : dir.entryInfoList()) {
        if (!f.isSymLink() && isTempNameOf(f.fileName(), target.fileName()))
            QFile::remove(f.absoluteFilePath());
    }
}

} // namespace

FileReplacement::FileReplacement(const QString& path) {
    QFileInfo target(path);
    // A link is followed, so that the file it points at is what changes.
    if (target.isSymLink() && !target.canonicalFilePath().isEmpty())
        target = QFileInfo(target.canonicalFilePath());
    if (target.exists() && (!target.isFile() || !target.isWritable()))
        return;
    removeLeftoverTemps(target);
    to_ = target.absoluteFilePath();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString temp = tempNameFor(to_);
        auto f = std::make_unique<QFile>(temp);
        // Unbuffered, so that a write cut short by a full disk is seen here.
        if (f->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            file_ = std::move(f);
            return;
        }
        if (!QFileInfo::exists(temp))
            return; // the folder takes no new file
        // The name is taken: another one.
    }
}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::discard() {
    if (!file_)
        return;
    file_->close();
    QFile::remove(file_->fileName());
    file_.reset();
}

bool FileReplacement::write(QByteArrayView bytes) {
    if (file_ && file_->write(bytes.data(), bytes.size()) != bytes.size())
        discard();
    return file_ != nullptr;
}

bool FileReplacement::commit(bool durable) {
    if (!file_)
        return false;
    const QFileInfo target(to_);
    bool written = syncHandle(*file_);
    if (written && target.exists())
        written = file_->setPermissions(target.permissions());
    file_->close();
    if (!written || !renameOver(file_->fileName(), to_)) {
        discard();
        return false;
    }
    file_.reset();
    return !durable || syncFolderOf(to_);
}

namespace {

// Writes the bytes to a new temporary file beside `path`, on the disk, and
// renames it over `path`; `durable`: the rename too is flushed.
bool replaceThroughTemp(const QString& path, const QByteArray& bytes, bool durable) {
    FileReplacement replacement(path);
    return replacement.write(bytes) && replacement.commit(durable);
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

QString notWrittenMessage(const QString& path) {
    return QStringLiteral("无法写入文件 ") + path + QStringLiteral("，原有文件未改动。");
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

FileView::FileView() = default;
FileView::FileView(FileView&&) noexcept = default;
FileView& FileView::operator=(FileView&&) noexcept = default;
FileView::~FileView() = default;

std::optional<FileView> FileView::open(const QString& path) {
    FileView view;
    view.file_ = std::make_unique<QFile>(path);
    QFile& f = *view.file_;
    if (!fileExists(path) || f.size() > maxTextFileBytes || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = f.size();
    if (size == 0)
        return view;
    if (const uchar* mapped = f.map(0, size)) {
        view.bytes_ = QByteArrayView(reinterpret_cast<const char*>(mapped), size);
        return view;
    }
    // Not mapped (a file system that cannot): read from the same handle.
    view.read_ = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    view.bytes_ = QByteArrayView(view.read_);
    return view;
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
    return replaceThroughTemp(path, bytes, false);
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
    return replaceThroughTemp(path, bytes, true);
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
