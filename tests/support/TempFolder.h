#pragma once
#include "platform/ProgramFolder.h"
#include "support/QtPrint.h"
#include <QByteArray>
#include <QTemporaryDir>

namespace quorin::test {

// A fresh program folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder();
    const ProgramFolder& folder() const { return folder_; }
    QString file(const QString& name) const { return folder_.ownFile(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;
    // Copies a picture generated for the program (next to the test binary).
    bool copyPicture(const QString& name) const;

private:
    QTemporaryDir dir_;
    ProgramFolder folder_;
};

} // namespace quorin::test
