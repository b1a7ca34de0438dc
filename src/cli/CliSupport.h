#pragma once
#include "platform/TextFiles.h"
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>

namespace quorin {
class PixelSetRows;
}

namespace quorin::cli {

// The tool's exit codes.
enum Exit : int {
    Done = 0,        // done; for a comparison: no differences
    Differences = 1, // a comparison found differences
    Failed = 2,      // bad input, or a file that cannot be read or written
};

// A command's words after its name: positional words, and options given as
// "--name value" (or "--name=value"). Every option takes a value but those
// named in `flags`.
struct Args {
    QStringList positional;
    std::map<QString, QString> options;
    bool help = false;

    // The value of --name, if given.
    std::optional<QString> option(const QString& name) const;
};

// Parses `words`; nullopt after telling the user what is wrong (an option
// without its value, or one the command does not know).
std::optional<Args> parseArgs(const QStringList& words, const QStringList& known);

// The tool shows pictures as a 96-dpi screen does: 15 twips a pixel.
inline constexpr double twipsPerPixel = 1440.0 / 96.0;

// Text for the user: a message on stderr, a result on stdout, each one line
// (a line break is added), in the terminal's encoding.
void tell(const QString& message);
void print(const QString& text);

// An output file of the tool, written beside its path and renamed over it
// when complete (see FileReplacement): a failure leaves the old file.
class OutputFile {
public:
    explicit OutputFile(const QString& path) : path_(path), file_(path) {}
    bool write(QByteArrayView piece) { return file_.write(piece); }
    // Whether it was written; if not, the user is told.
    bool done();

private:
    QString path_;
    FileReplacement file_;
};

// `bytes` as the whole of the output file `path`; false after telling the
// user it was not written.
bool writeOutput(const QString& path, const QByteArray& bytes);

// The two whole numbers of a size or a resolution typed as "WxH" (also with
// "X", "×" or "*", spaces around), as typed; nothing for any other text.
std::optional<std::pair<QString, QString>> dimensionTexts(const QString& text);

// A file named on the command line: whether it is there and no folder (after
// telling the user what is wrong).
bool inputFileThere(const QString& path);

// The words of a subcommand: its options and exactly `count` positional
// words. Nothing when it is done already (--help) or the words are wrong;
// `result` is then the exit code.
std::optional<Args> subcommandArgs(const QStringList& words, const QStringList& known, int count,
                                   const QString& help, int& result);

// A pixel set from a file named on the command line, read row by row (see
// PixelSetRows); its rows, or nothing after telling the user why not.
std::optional<long long> readSet(const QString& path, PixelSetRows& set);

} // namespace quorin::cli
