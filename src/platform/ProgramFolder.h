#pragma once
#include <QString>
#include <utility>

namespace quorin {

// Where the program's fixed files live. Two folders: the pictures it ships
// (read only) and the files it writes and reads back itself (tree.txt,
// treego.txt and their backups, 11.jpg, caculator.txt). Run from a build, and
// in every test, both are one folder; an installed program reads its pictures
// from the installed data folder and keeps its own files in the user's folder
// (see chooseProgramFolder).
class ProgramFolder {
public:
    explicit ProgramFolder(QString dir) : pictures_(dir), own_(std::move(dir)) {}
    ProgramFolder(QString pictures, QString own)
        : pictures_(std::move(pictures)), own_(std::move(own)) {}

    // A picture the program ships.
    QString picture(const QString& name) const { return pictures_ + QLatin1Char('/') + name; }
    // A file the program writes (and reads back) itself.
    QString ownFile(const QString& name) const { return own_ + QLatin1Char('/') + name; }

    const QString& picturePath() const { return pictures_; }
    // The folder of the program's own files.
    const QString& path() const { return own_; }

private:
    QString pictures_;
    QString own_;
};

// True when a file can be created (and is removed again) in `dir`.
bool canCreateFilesIn(const QString& dir);

// The folders of a program whose executable lives in `exeDir`:
// - installed (the executable in <prefix>/bin and `installedPictures`, the
//   <prefix>/share folder of its pictures, present): pictures from there, own
//   files in `userDir`, whether or not the prefix happens to be writable;
// - an executable folder where no file can be created: pictures from there,
//   own files in `userDir`;
// - otherwise (every build and every test): both the executable's folder.
// `userDir` is created when it is chosen.
ProgramFolder chooseProgramFolder(const QString& exeDir, const QString& installedPictures,
                                  const QString& userDir);

} // namespace quorin
