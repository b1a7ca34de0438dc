#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvas/Interception.h"
#include "canvas/Preview.h"
#include "canvas/RecordReplay.h"
#include "canvas/StrokeReplay.h"
#include "imagecmp/ImageCommands.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <QPointer>
#include <functional>

namespace quorin {
namespace {

using test::TestProgram;

constexpr ColorValue white = rgb(255, 255, 255);

// Every long command, with either window closed at its first wait, at its
// last wait, during each of its dialogs, and right after it
// returned (its timers may still run). The command stops at the wait or
// dialog it was in and shows nothing more; nothing runs on the dead canvas,
// which goes once the events are processed.

// A pixel set of the 24 x 18 grid of a white 160 x 120 box.
QByteArray whiteSet() {
    QByteArray text;
    for (int i = 0; i < 24; ++i) {
        for (int k = 0; k < 18; ++k)
            text += "FFFFFF\t";
        text += QByteArray::number(18 * (i + 1)) + "\r\n";
    }
    return text;
}

struct Row {
    const char* name;
    CanvasMode mode;
    bool mainCommand; // runs on the main window: closing the canvas need not stop it
    std::function<void(TestProgram&, CanvasWindow&)> run;
};

// A fresh program for each run: a closed main window stays closed.
struct Run {
    explicit Run(const Row& row) {
        t.main().Timer4.stop();
        launchCanvas(*t.program, row.mode);
        c = &t.program->canvas();
        c->Timer17.stop();
        c->Timer18.stop();
        c->Picture1->resize(160, 120);
        c->Picture1->setAutoRedraw(true);
        c->Picture1->setBackColor(white);
        c->Text1[2]->setText(QStringLiteral("24"));
        c->Text1[3]->setText(QStringLiteral("18"));
        c->Text2->setText(QStringLiteral("100"));
        t.temp.write(QStringLiteral("set.txt"), whiteSet());
        t.temp.write(QStringLiteral("treego.txt"), "1,1,1,1,1,10,20,1,\r\n2,1,1,1,1,11,21,1,\r\n");
        t.dialogs.clearLog();
    }
    TestProgram t;
    CanvasWindow* c = nullptr;
};

enum class Window { Canvas, Main };

// Where the window closes: at pause `pause`, or in dialog `dialog` (messages
// and file dialogs counted together), or after the command returned.
struct ClosePoint {
    int pause = 0;
    int dialog = 0;
};

struct Counts {
    int pauses = 0;
    int dialogs = 0;
};

Counts countRun(const Row& row) {
    Run r(row);
    const int p0 = r.t.clock.pauses();
    row.run(r.t, *r.c);
    return {r.t.clock.pauses() - p0, int(r.t.dialogs.shown().size())};
}

void settle(TestProgram& t) {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(t.program->pendingDeletes(), 0u);
}

void closeDuring(const Row& row, Window window, ClosePoint at) {
    Run r(row);
    TestProgram& t = r.t;
    QPointer<CanvasWindow> canvas(r.c);
    bool closed = false;
    int pausesAtClose = 0;
    std::size_t dialogsAtClose = 0;
    const auto close = [&] {
        if (closed)
            return;
        closed = true;
        pausesAtClose = t.clock.pauses();
        dialogsAtClose = t.dialogs.shown().size();
        if (window == Window::Main)
            t.main().close();
        else if (canvas)
            canvas->close();
    };
    const int p0 = t.clock.pauses();
    t.clock.onPause = [&](int n) {
        if (n - p0 == at.pause)
            close();
    };
    const auto inDialog = [&] {
        if (int(t.dialogs.shown().size()) == at.dialog)
            close();
    };
    t.dialogs.onMessage = inDialog;
    t.dialogs.onFile = inDialog;
    row.run(t, *r.c);
    t.clock.onPause = nullptr;
    t.dialogs.onMessage = nullptr;
    t.dialogs.onFile = nullptr;
    // A close asked during a busy wait stopped the command there and closes
    // once it has ended, when the program takes events again.
    t.program->inputHold().release();
    if (!closed)
        close();                   // after the command: what it left running must stop
    ASSERT_FALSE(canvas.isNull()); // never deleted under a command
    EXPECT_TRUE(canvas->isDead());
    const bool stops = window == Window::Main || !row.mainCommand;
    if (stops) {
        EXPECT_EQ(t.clock.pauses(), pausesAtClose) << "waits after the close";
        EXPECT_EQ(t.dialogs.shown().size(), dialogsAtClose) << "dialogs after the close";
    }
    // Nothing the dead canvas left runs on it.
    for (const QTimer* timer : {&canvas->Timer1, &canvas->Timer8, &canvas->Timer9, &canvas->Timer10,
                                &canvas->Timer11, &canvas->Timer12, &canvas->Timer14})
        EXPECT_FALSE(timer->isActive());
    if (window == Window::Main) {
        EXPECT_FALSE(t.main().Timer3.isActive());
    }
    settle(t);
    EXPECT_TRUE(canvas.isNull());
}

const Row rows[] = {
    {"main 推导计算", CanvasMode::Drop, true,
     [](TestProgram& t, CanvasWindow&) { t.main().command1Click(); }},
    {"main replay", CanvasMode::Drop, true,
     [](TestProgram& t, CanvasWindow&) { t.main().picture1Click(); }},
    {"canvas 推导计算", CanvasMode::Drop, false,
     [](TestProgram&, CanvasWindow& c) { c.command1Click(0); }},
    {"click plot", CanvasMode::Drop, false,
     [](TestProgram&, CanvasWindow& c) { c.picture1Click(); }},
    {"雨", CanvasMode::Drop, false, [](TestProgram&, CanvasWindow& c) { c.command8Click(); }},
    {"蛋", CanvasMode::Drop, false,
     [](TestProgram&, CanvasWindow& c) { drawPattern(c, PatternKind::Egg); }},
    {"导入图像", CanvasMode::Freehand, false,
     [](TestProgram& t, CanvasWindow& c) {
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("22.bmp")));
         c.command1Click(9);
     }},
    {"capture", CanvasMode::Overlay, false,
     [](TestProgram& t, CanvasWindow& c) {
         t.dialogs.answerSave(t.temp.file(QStringLiteral("new.txt")));
         command12Click(c, 0);
     }},
    {"compare", CanvasMode::Compare, false,
     [](TestProgram& t, CanvasWindow& c) {
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
         t.dialogs.answerMessage(Answer::Yes); // mark the differences
         command12Click(c, 1);
     }},
    {"overlay", CanvasMode::Overlay, false,
     [](TestProgram& t, CanvasWindow& c) {
         t.dialogs.answerMessage(Answer::Yes);
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
         t.dialogs.answerMessage(Answer::No); // the set's own colours
         command12Click(c, 2);
     }},
    {"Command11 compare", CanvasMode::Compare, false,
     [](TestProgram& t, CanvasWindow& c) {
         c.command11Compares = true;
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
         t.dialogs.answerMessage(Answer::Yes); // compare with the picture
         t.dialogs.answerMessage(Answer::Yes); // mark the differences
         command11Click(c);
     }},
    {"Command9 template", CanvasMode::Compare, false,
     [](TestProgram& t, CanvasWindow& c) {
         c.command9Compares = true;
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("set.txt")));
         t.dialogs.answerMessage(Answer::Yes); // compare with the picture
         command9Click(c);
     }},
    {"angle search", CanvasMode::Intercept, false,
     [](TestProgram& t, CanvasWindow& c) {
         // A tolerance that takes the first angle: the search, its click
         // plot and the rings, quickly.
         t.main().Text1[15]->setText(QStringLiteral("1"));
         t.main().Text1[16]->setText(QStringLiteral("-1"));
         t.main().Text1[17]->setText(QStringLiteral("1e6"));
         t.state().angleTransformArmed = true;
         bianhuanjiaodu(c);
     }},
    {"record cycle", CanvasMode::Drop, false,
     [](TestProgram&, CanvasWindow& c) {
         c.Text2->setText(QStringLiteral("auto"));
         text2Click(c);
         autoCycleStart(c);
         autoCycleStep(c);
     }},
    {"autoplay cycle", CanvasMode::Drop, false,
     [](TestProgram&, CanvasWindow& c) {
         autoplayCycleStart(c);
         autoplayCycleStep(c);
     }},
    {"preview", CanvasMode::Freehand, false,
     [](TestProgram& t, CanvasWindow& c) {
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("22.bmp")));
         previewClick(c);
         previewFolderTick(c);
         previewStepTick(c);
     }},
    {"stroke replay", CanvasMode::Freehand, false,
     [](TestProgram&, CanvasWindow& c) {
         autop(c);
         strokeReplayTick(c);
     }},
    {"视频播放", CanvasMode::Freehand, true,
     [](TestProgram& t, CanvasWindow&) {
         t.dialogs.answerOpen(t.temp.file(QStringLiteral("clip.mp4")));
         t.main().command14Click();
     }},
};

// The waits and dialogs of each row, counted once for both windows.
const std::vector<Counts>& rowCounts() {
    static const std::vector<Counts> counts = [] {
        std::vector<Counts> out;
        for (const Row& row : rows)
            out.push_back(countRun(row));
        return out;
    }();
    return counts;
}

void sweepWindow(Window window) {
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const Row& row = rows[r];
        const Counts n = rowCounts()[r];
        std::vector<ClosePoint> points = {{}}; // after the command
        for (int p : {1, n.pauses})
            if (p > 0)
                points.push_back({p, 0});
        for (int d = 1; d <= n.dialogs; ++d)
            points.push_back({0, d});
        for (const ClosePoint& at : points) {
            SCOPED_TRACE(testing::Message() << row.name << ": pause " << at.pause << ", dialog "
                                            << at.dialog << " of " << n.pauses << '/' << n.dialogs);
            closeDuring(row, window, at);
        }
    }
}

TEST(CloseMidway, ClosingTheCanvasStopsEveryLongCommandAtItsNextWait) {
    sweepWindow(Window::Canvas);
}

TEST(CloseMidway, ClosingTheMainWindowStopsEveryLongCommandAtItsNextWait) {
    sweepWindow(Window::Main);
}

} // namespace
} // namespace quorin
