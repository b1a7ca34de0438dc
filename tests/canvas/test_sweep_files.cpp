#include "canvas/CommandBar.h"
#include "canvas/Preview.h"
#include "canvas/StrokeFiles.h"
#include "imagecmp/ImageCommands.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sys/resource.h>

namespace quorin {
namespace {

using test::CanvasTest;

constexpr ColorValue white = rgb(255, 255, 255);

// Every command that opens or writes a file, given each kind of file a user
// can point it at. A run ends with a message that says what failed, or with
// nothing; it never reports success, never hangs, and a file far larger
// than anything the program writes costs no more than a bounded reading.

enum class Kind { Missing, Empty, Binary, Huge, LfOnly, Folder, Cancelled };

struct KindRow {
    Kind kind;
    const char* name;
};
constexpr KindRow kinds[] = {
    {Kind::Missing, "missing"},     {Kind::Empty, "empty"},    {Kind::Binary, "binary"},
    {Kind::Huge, "100 MB"},         {Kind::LfOnly, "LF only"}, {Kind::Folder, "folder"},
    {Kind::Cancelled, "cancelled"},
};

bool showsNonNumber(const QString& text) {
    const QString low = text.toLower();
    return low.contains(QStringLiteral("nan")) || low.contains(QStringLiteral("inf"));
}

// Text read whole: the bytes, their decoded text and what the row reader
// keeps, about four times the file at most. AddressSanitizer keeps freed
// blocks aside for a while (its quarantine), so there the resident peak also
// holds copies already given back.
#if defined(__SANITIZE_ADDRESS__)
constexpr long peakGrowthBoundKb = 700L * 1024;
#else
constexpr long peakGrowthBoundKb = 450L * 1024;
#endif

long peakKilobytes() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

class SweepFiles : public CanvasTest {
protected:
    // The pixel-set grid of the image tests: 24 x 18 points of a small box.
    CanvasWindow& open(CanvasMode mode) {
        main().Timer4.stop(); // no start-up display in the middle
        CanvasWindow& c = launchSmall(mode, {160, 120}, white);
        c.Text1[2]->setText(QStringLiteral("24"));
        c.Text1[3]->setText(QStringLiteral("18"));
        c.Text2->setText(QStringLiteral("100"));
        t.dialogs.clearLog();
        return c;
    }

    // The path a dialog gives back for `kind`, the file made as it says. A
    // line of LF-only text is what each reader would accept with CR LF.
    QString pathFor(Kind kind) {
        switch (kind) {
        case Kind::Missing:
            return t.temp.file(QStringLiteral("nowhere/none.txt"));
        case Kind::Empty:
            t.temp.write(QStringLiteral("empty.txt"), {});
            return t.temp.file(QStringLiteral("empty.txt"));
        case Kind::Binary: {
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes += char((i * 7919 + 13) & 0xFF);
            t.temp.write(QStringLiteral("binary.txt"), bytes);
            return t.temp.file(QStringLiteral("binary.txt"));
        }
        case Kind::Huge: {
            // Sparse: quick to make, and zeros to every reader.
            QFile f(t.temp.file(QStringLiteral("huge.txt")));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            EXPECT_TRUE(f.resize(100LL * 1024 * 1024));
            return f.fileName();
        }
        case Kind::LfOnly: {
            QByteArray text;
            for (int i = 0; i < 24; ++i) {
                for (int k = 0; k < 18; ++k)
                    text += "FFFFFF\t";
                text += QByteArray::number(18 * (i + 1)) + "\n";
            }
            t.temp.write(QStringLiteral("lf.txt"), text);
            return t.temp.file(QStringLiteral("lf.txt"));
        }
        case Kind::Folder:
            QDir(t.temp.file(QString())).mkpath(QStringLiteral("folder.txt"));
            return t.temp.file(QStringLiteral("folder.txt"));
        case Kind::Cancelled:
            return {};
        }
        return {};
    }

    using Run = std::function<void(CanvasWindow&, const QString& path)>;

    // Runs `run` once per kind of file; `success` is the start of the message
    // that only a success shows.
    void sweep(const char* name, CanvasMode mode, const Run& run, const QStringList& success = {},
               Kind skip = Kind::Cancelled, bool skipping = false) {
        for (const KindRow& k : kinds) {
            if (skipping && k.kind == skip)
                continue;
            SCOPED_TRACE(testing::Message() << name << ", " << k.name);
            CanvasWindow& c = open(mode);
            const QString path = pathFor(k.kind);
            const int start = t.clock.pauses();
            bool stopped = false;
            t.clock.onPause = [&](int n) {
                if (n - start > 20000 && !stopped) {
                    stopped = true;
                    t.program->unloadCanvas();
                }
            };
            const long before = peakKilobytes();
            run(c, path);
            t.clock.onPause = nullptr;
            EXPECT_FALSE(stopped);
            EXPECT_FALSE(c.isDead());
            EXPECT_TRUE(t.dialogs.allAnswersUsed());
            EXPECT_LT(peakKilobytes() - before, peakGrowthBoundKb);
            for (const QString& m : t.dialogs.messageTexts())
                for (const QString& s : success)
                    EXPECT_FALSE(m.contains(s)) << m.toStdString();
            if (k.kind == Kind::Huge)
                QFile::remove(path);
        }
    }
    static bool replaces(const QString& path) { return fileExists(path); }
};

TEST_F(SweepFiles, OpeningAPictureOrAStrokeFile) {
    sweep("导入图像", CanvasMode::Freehand, [this](CanvasWindow& c, const QString& p) {
        t.dialogs.answerOpen(p);
        c.command1Click(9);
        EXPECT_FALSE(c.Image1->hasPicture());
    });
    sweep("导入", CanvasMode::Freehand, [this](CanvasWindow& c, const QString& p) {
        t.dialogs.answerOpen(p);
        inputres(c);
        EXPECT_EQ(state().strokeGroupIndex, 0);
    });
    sweep("preview", CanvasMode::Freehand, [this](CanvasWindow& c, const QString& p) {
        t.dialogs.answerOpen(p);
        previewClick(c);
        previewFolderTick(c);
        for (int i = 0; i < 4; ++i)
            previewStepTick(c);
        previewClick(c);
    });
    sweep("视频播放", CanvasMode::Freehand, [this](CanvasWindow&, const QString& p) {
        t.dialogs.answerOpen(p);
        main().command14Click();
    });
}

TEST_F(SweepFiles, AStrokeFileTooLargeToReadIsNamed) {
    CanvasWindow& c = open(CanvasMode::Freehand);
    QFile f(t.temp.file("big strokes.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(300LL * 1024 * 1024)); // sparse
    f.close();
    t.dialogs.answerOpen(f.fileName());
    const long before = peakKilobytes();
    inputres(c);
    EXPECT_LT(peakKilobytes() - before, 10 * 1024); // not read at all
    ASSERT_FALSE(t.dialogs.messageTexts().isEmpty());
    EXPECT_EQ(t.dialogs.messageTexts().back(), tooLargeMessage(f.fileName()));
    EXPECT_TRUE(t.dialogs.messageTexts().back().contains(QStringLiteral("big strokes.txt")));
    EXPECT_TRUE(t.dialogs.allAnswersUsed());
    QFile::remove(f.fileName());
}

TEST_F(SweepFiles, WritingStrokesOrAPixelSet) {
    sweep("导出", CanvasMode::Freehand, [this](CanvasWindow& c, const QString& p) {
        t.dialogs.answerSave(p);
        if (replaces(p))
            t.dialogs.answerMessage(Answer::Yes);
        outsave(c);
        const bool told = t.dialogs.messageTexts().contains(notWrittenMessage(p));
        EXPECT_EQ(told, !p.isEmpty() && !fileExists(p)) << p.toStdString();
    });
    sweep("capture", CanvasMode::Overlay,
          [this](CanvasWindow& c, const QString& p) {
              t.dialogs.answerSave(p);
              if (replaces(p))
                  t.dialogs.answerMessage(Answer::Yes);
              command12Click(c, 0);
              const bool ok = fileExists(p) && QFileInfo(p).size() > 0;
              const bool told = t.dialogs.messageTexts().contains(notWrittenMessage(p));
              EXPECT_TRUE(p.isEmpty() || ok != told) << p.toStdString();
          },
          {});
}

TEST_F(SweepFiles, ReadingPixelSets) {
    const QStringList success = {QStringLiteral("已经成功导入"), QStringLiteral("已成功对比")};
    sweep(
        "compare", CanvasMode::Compare,
        [this](CanvasWindow& c, const QString& p) {
            t.dialogs.answerOpen(p);
            command12Click(c, 1);
        },
        success);
    sweep(
        "overlay", CanvasMode::Overlay,
        [this](CanvasWindow& c, const QString& p) {
            t.dialogs.answerMessage(Answer::Yes);
            t.dialogs.answerOpen(p);
            command12Click(c, 2);
        },
        success);
    sweep(
        "Command11 compare", CanvasMode::Compare,
        [this](CanvasWindow& c, const QString& p) {
            c.command11Compares = true;
            t.dialogs.answerOpen(p);
            command11Click(c);
        },
        success);
    sweep(
        "Command9 template", CanvasMode::Compare,
        [this](CanvasWindow& c, const QString& p) {
            c.command9Compares = true;
            t.dialogs.answerOpen(p);
            command9Click(c);
        },
        success);
}

// The preview starts at the picture the start field names; a start that is
// no index of the listing starts at the first, and the field then counts on.
TEST_F(SweepFiles, ThePreviewStartIndex) {
    CanvasWindow& c = open(CanvasMode::Freehand);
    const QString first = t.temp.file(QStringLiteral("22.bmp"));
    for (const char* start : {"", "abc", "nan", "1e400", "1e300", "-3", "-0.5", "2.5", "99999"}) {
        SCOPED_TRACE(start);
        c.Text1[2]->setText(QString::fromLatin1(start));
        t.dialogs.answerOpen(first);
        previewClick(c);
        previewFolderTick(c);
        const double index = state().previewIndex;
        EXPECT_TRUE(index >= 0 && index <= state().previewFileCount) << index;
        for (int i = 0; i < 100 && c.Timer1.isActive(); ++i)
            previewStepTick(c);
        EXPECT_FALSE(c.Timer1.isActive()); // past the end: stopped
        const QString shown = c.Text1[2]->text();
        EXPECT_FALSE(showsNonNumber(shown)) << shown.toStdString();
        previewClick(c);
    }
}

// The resolution and the threshold: any text ends in a grid and a
// threshold, or in the defaults and the designed message, never in a
// table written past its end.
TEST_F(SweepFiles, ResolutionAndThresholdFields) {
    CanvasWindow& c = open(CanvasMode::Overlay);
    const char* const texts[] = {"", "abc", "nan", "1e400", "1e300", "-1", "0", "0.5", "1", "2.5"};
    const QString saved = t.temp.file(QStringLiteral("set.txt"));
    for (int field = 0; field < 3; ++field) {
        for (const char* text : texts) {
            SCOPED_TRACE(testing::Message() << field << " = \"" << text << '"');
            TextBox* box = field < 2 ? c.Text1[2 + field] : c.Text2;
            c.Text1[2]->setText(QStringLiteral("24"));
            c.Text1[3]->setText(QStringLiteral("18"));
            c.Text2->setText(QStringLiteral("100"));
            box->setText(QString::fromLatin1(text));
            QFile::remove(saved);
            t.dialogs.clearLog();
            t.dialogs.answerSave(saved);
            command12Click(c, 0);
            const bool captured = fileExists(saved);
            if (!captured) {
                // The defaults and the advice; the save dialog never came.
                EXPECT_EQ(c.Text1[2]->text(), QStringLiteral("800"));
                ASSERT_FALSE(t.dialogs.shown().empty());
                EXPECT_TRUE(t.dialogs.shown()[0].text.startsWith(QStringLiteral("图像采集时")));
                EXPECT_FALSE(t.dialogs.allAnswersUsed());
                t.dialogs.saveFile(QString()); // drops the unused answer
                continue;
            }
            // Compare the set with itself: no differences, whatever the
            // threshold.
            t.dialogs.clearLog();
            t.dialogs.answerOpen(saved);
            t.dialogs.answerOpen(saved);
            t.dialogs.answerMessage(Answer::No);
            command12Click(c, 1);
            EXPECT_TRUE(t.dialogs.allAnswersUsed());
            const auto differences =
                readTextFile(t.temp.file(QString::fromLatin1(differenceFileName)));
            ASSERT_TRUE(differences.has_value());
            EXPECT_FALSE(showsNonNumber(*differences));
        }
    }
}

} // namespace
} // namespace quorin
