#pragma once
#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace quorin::test {

// One run of quorin-cli (its path is QUORIN_CLI, defined by the test target):
// its exit code and what it wrote.
struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

// One run of `program`.
inline ToolRun runProgram(const QString& program, const QStringList& args,
                          const QString& workingFolder = {}) {
    QProcess p;
    if (!workingFolder.isEmpty())
        p.setWorkingDirectory(workingFolder);
    p.start(program, args);
    ToolRun run;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = p.exitCode();
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

inline ToolRun runTool(const QStringList& args, const QString& workingFolder = {}) {
    return runProgram(QStringLiteral(QUORIN_CLI), args, workingFolder);
}

} // namespace quorin::test
