#pragma once
#include <QString>

namespace quorin {

// Where the program's fixed files live: the folder of the executable in
// production, a temporary folder in tests.
class ProgramFolder {
public:
    explicit ProgramFolder(QString dir) : dir_(std::move(dir)) {}
    const QString& path() const { return dir_; }
    QString file(const QString& name) const { return dir_ + QLatin1Char('/') + name; }

private:
    QString dir_;
};

} // namespace quorin
