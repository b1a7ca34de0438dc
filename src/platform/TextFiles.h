#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

class QFile;

namespace quorin {

// Text files are GBK with CR LF line ends. Files larger than this are refused
// rather than read into memory.
inline constexpr qint64 maxTextFileBytes = 256LL * 1024 * 1024;

bool fileExists(const QString& path);

// Whether the file exists and is larger than the readers take, and the
// message that tells its user so.
bool tooLargeToRead(const QString& path);
QString tooLargeMessage(const QString& path);
// A replacement of the file that failed: the old file is whole.
QString notWrittenMessage(const QString& path);

// Whole file decoded from GBK; nullopt when it cannot be read (missing,
// unreadable, a folder, or larger than maxTextFileBytes).
std::optional<QString> readTextFile(const QString& path);

// Replace the file's content with `text` encoded as GBK. The text is written
// as given: callers put "\r\n" where a line ends. Returns false on any failure.
bool writeTextFile(const QString& path, const QString& text);

// The same, written to a temporary file in the file's folder and renamed into
// place, so a failure leaves the previous file whole. The temporary file is
// named path + ".quorin-" + six letters or digits + ".tmp"; any such file a
// crash left beside the path is removed first.
bool replaceTextFile(const QString& path, const QString& text);
// The same for bytes already encoded.
bool replaceFileBytes(const QString& path, const QByteArray& bytes);

// The same for content written a piece at a time: into the temporary file
// beside `path`, renamed over it by commit(). Until then the old file is
// whole, and a replacement never committed leaves nothing behind.
class FileReplacement {
public:
    explicit FileReplacement(const QString& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // False once a piece could not be written (or the temporary file not be
    // made): the replacement has then failed.
    bool write(QByteArrayView bytes);
    // Flushes the new content to the disk and renames it into place;
    // `durable`: the rename too is flushed. False when it was not replaced.
    bool commit(bool durable = false);

private:
    // The temporary file closed and removed: the replacement has failed.
    void discard();

    QString to_;
    std::unique_ptr<QFile> file_; // the temporary file while it is written
};

// Append `text` encoded as GBK, creating the file if needed. All or nothing:
// when the text cannot be written whole (a full disk), the file is cut back
// to what it held and the answer is false.
bool appendTextFile(const QString& path, const QString& text);

// Raw bytes, for moving a file's content without decoding it.
std::optional<QByteArray> readFileBytes(const QString& path);
bool appendFileBytes(const QString& path, const QByteArray& bytes); // all or nothing

// A file's bytes for one reading, mapped into memory where the system can
// (nothing copied, nothing held but the pages being read) and read whole
// where it cannot. Nothing when readFileBytes would give nothing.
class FileView {
public:
    static std::optional<FileView> open(const QString& path);
    FileView(FileView&&) noexcept;
    FileView& operator=(FileView&&) noexcept;
    ~FileView();

    QByteArrayView bytes() const { return bytes_; }

private:
    FileView();
    std::unique_ptr<QFile> file_; // keeps the mapping
    QByteArray read_;             // the bytes when the file could not be mapped
    QByteArrayView bytes_;
};

// Flushing to the disk, for files whose order of writes must survive a power
// cut. Each answers false when the data may not have reached the disk.
// The file's content and size.
bool syncFileToDisk(const QString& path);
// The names in the folder holding `path` (a rename, a new or a removed file).
bool syncFolderOf(const QString& path);
// Like replaceFileBytes, with the new content and its name on the disk before
// the answer: after a power cut the path holds either the old or the new
// content.
bool replaceFileBytesDurably(const QString& path, const QByteArray& bytes);
// Removes the file and flushes its folder; true when it is gone.
bool removeFileDurably(const QString& path);

QByteArray toGbk(const QString& text);
QString fromGbk(const QByteArray& bytes);

} // namespace quorin
