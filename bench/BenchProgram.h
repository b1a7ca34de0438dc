#pragma once
// A whole program for the benchmarks: dialogs that answer at once, a clock
// that only advances (the designed waits take no time), and a program folder
// holding the pictures as installed.
#include "app/Program.h"
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace quorin::bench {

class NoWaitClock final : public Clock {
public:
    double now() const override { return t_; }
    void pause(double seconds, WaitKind, const std::function<void()>&,
               const std::function<bool()>&) override {
        t_ += seconds;
    }

private:
    double t_ = 0;
};

// The same, but each wait repaints as a busy wait does at least once.
class RepaintingNoWaitClock final : public Clock {
public:
    double now() const override { return t_; }
    void pause(double seconds, WaitKind, const std::function<void()>& repaint,
               const std::function<bool()>&) override {
        t_ += seconds;
        if (repaint)
            repaint();
    }

private:
    double t_ = 0;
};

class SilentDialogs final : public Dialogs {
public:
    Answer message(const QString&, MessageButtons, const QString&) override { return Answer::Ok; }
    QString openFile(const QString&) override { return {}; }
    QString saveFile(const QString&) override { return {}; }
    ColorValue chooseColor(ColorValue initial) override { return initial; }
};

struct BenchProgram {
    explicit BenchProgram(Clock* realClock = nullptr) {
        for (const char* name : {"I1.jpg", "hai1.jpg"})
            QFile::copy(QCoreApplication::applicationDirPath() + "/" + name,
                        dir.filePath(QString::fromLatin1(name)));
        program = std::make_unique<Program>(
            Services{dialogs, realClock ? *realClock : clock, folder, random, nullptr});
    }
    QTemporaryDir dir;
    ProgramFolder folder{dir.path()};
    SilentDialogs dialogs;
    NoWaitClock clock;
    SeededRandom random{1};
    std::unique_ptr<Program> program;
};

} // namespace quorin::bench
