#include "canvas/RecordReplay.h"
#include "animation/Rain.h"
#include "core/RecordReader.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "state/SharedState.h"

namespace quorin {

namespace {

// The drop of the record in recordValues; the pan moves its start point.
RainDrop recordedDrop(const SharedState& s, double panX = 0, double panY = 0) {
    const auto v = [&s](int i) { return s.recordValues.at(i); };
    return {v(0), v(1), v(2), v(3), v(4), v(5) + panX, v(6) + panY, v(7)};
}

void startCycle(RecordEnv& canvas, QTimer& start, QTimer& step) {
    SharedState& s = canvas.state();
    s.treeRecordIndex = 0;
    canvas.Picture1->cls();
    // Stopped first: a message of the reading lets timers run.
    start.stop();
    s.treeRecordCount = query1(canvas, QLatin1Char(','));
    if (s.treeRecordCount > 0)
        step.start();
}

// The next record of a cycle, or the restart once past the end (the tick
// after the last record reads the entry one past them, as always).
template <class Render>
void stepCycle(RecordEnv& canvas, QTimer& start, QTimer& step, Render&& render) {
    // A cycle tick while the previous one still runs (a renderer's message
    // box lets timers fire) does nothing: no box on top of a box.
    const RunningScope tick(canvas.recordTickRunning);
    if (!tick.first())
        return;
    SharedState& s = canvas.state();
    if (s.treeRecordIndex > s.treeRecordCount) {
        step.stop();
        start.start();
        return;
    }
    s.replayRecordText = Opensesame(canvas, s.treeRecords.at(tableIndex(s.treeRecordIndex)));
    s.treeRecordIndex += 1;
    s.replayLastResult = render(s.treeRecordIndex == s.treeRecordCount);
}

} // namespace

double query1(CanvasSurface& canvas, QChar separator) {
    SharedState& s = canvas.state();
    const QString path = canvas.services().folder.ownFile(QStringLiteral("treego.txt"));
    // Missing, unreadable or empty: no records; too large: no records, and
    // a word why.
    if (tooLargeToRead(path)) {
        canvas.services().dialogs.message(tooLargeMessage(path), MessageButtons::Ok,
                                          QStringLiteral("Quorin"));
        return 0;
    }
    const QString text = readTextFile(path).value_or(QString());
    // Entries past the new records keep what an earlier, longer reading left.
    double count = 0;
    for (const QString& row : recordRows(text, separator)) {
        if (!s.treeRecords.set(static_cast<long long>(count), row))
            break; // the table is full
        count += 1;
    }
    return count;
}

QString Opensesame(CanvasSurface& canvas, const QString& record) {
    SharedState& s = canvas.state();
    const auto values = recordFields(record);
    for (std::size_t k = 0; k < values.size(); ++k)
        if (values[k])
            s.recordValues.set(static_cast<long long>(k), *values[k]);
    return QStringLiteral("OK");
}

void autoCycleStart(RecordEnv& canvas) {
    startCycle(canvas, canvas.Timer8, canvas.Timer9);
}

void autoCycleStep(RecordEnv& canvas) {
    stepCycle(canvas, canvas.Timer8, canvas.Timer9, [&](bool last) {
        const RainDrop drop = recordedDrop(canvas.state());
        return last ? rainst(canvas, drop) : rains(canvas, drop);
    });
}

void autoplayCycleStart(RecordEnv& canvas) {
    canvas.state().replayMode = true;
    startCycle(canvas, canvas.Timer10, canvas.Timer11);
}

void autoplayCycleStep(RecordEnv& canvas) {
    stepCycle(canvas, canvas.Timer10, canvas.Timer11, [&](bool) {
        const SharedState& s = canvas.state();
        return rainst(canvas, recordedDrop(s, s.replayPanX, s.replayPanY));
    });
}

void text2Click(RecordEnv& canvas) {
    const QString word = canvas.Text2->text();
    if (word == QStringLiteral("auto")) {
        canvas.Timer8.start();
    } else {
        canvas.Timer8.stop();
        canvas.Timer9.stop();
    }
    if (word == QStringLiteral("autolook")) {
        canvas.Timer12.start();
    } else {
        canvas.Timer12.stop();
        canvas.Timer1.stop();
    }
    if (word == QStringLiteral("autoplay")) {
        canvas.Timer10.start();
    } else {
        canvas.Timer10.stop();
        canvas.Timer11.stop();
        canvas.state().replayMode = false;
    }
    canvas.Text2->setText(QString());
}

void text2Key(RecordEnv& canvas, int character) {
    const QString word = canvas.Text2->text();
    if (character == 13) {
        if (word == QStringLiteral("auto"))
            canvas.Timer8.start();
        else
            canvas.Timer8.stop();
    }
    if (word == QStringLiteral("autolook"))
        canvas.Timer12.start();
    else
        canvas.Timer12.stop();
}

} // namespace quorin
