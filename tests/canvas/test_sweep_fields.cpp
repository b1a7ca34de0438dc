#include "animation/Patterns.h"
#include "animation/Rain.h"
#include "canvas/Freehand.h"
#include "canvas/Interception.h"
#include "state/DropFields.h"
#include "support/CanvasTest.h"
#include <QCoreApplication>
#include <functional>

namespace quorin {
namespace {

using test::CanvasTest;

constexpr ColorValue white = rgb(255, 255, 255);

// Every command that reads the main window's fields, run on each kind of bad
// entry. A run ends with one of the two input messages or with nothing; it
// never hangs, and no field it writes reads "nan" or "inf".

// Entry fields: 0 radius, 1 Vx0, 2 VFx, 3 VFy, 4 Vy0, 10 t, 13 density,
// 15/16 target, 17 tolerance.
constexpr std::array<std::pair<int, const char*>, 10> goodFields = {{
    {0, "1"},
    {1, "1"},
    {2, "1"},
    {3, "1"},
    {4, "1"},
    {10, "1"},
    {13, "1"},
    {15, "1e9"},
    {16, "-1e9"},
    {17, "5"},
}};

struct Entry {
    int field;
    const char* text;
};

// What a user can type: nothing, words, the spellings of the non-numbers, a
// number past double, numbers the model cannot use.
const Entry modelEntries[] = {
    {0, ""},      {0, "abc"},    {0, "nan"},     {0, "1e400"}, {0, "0"},      {0, "-1"},
    {13, "0"},    {13, "nan"},   {13, "-1"},     {10, "0"},    {10, "-1"},    {10, "1e400"},
    {10, "inf"},  {10, "1e300"}, {10, "1e-300"}, {1, "1e300"}, {4, "-1e300"}, {2, "Infinity"},
    {3, "1e200"}, {0, "1e-300"}, {13, "1e300"},
};
// The search also reads the target and its tolerance.
const Entry searchEntries[] = {
    {15, ""},     {15, "abc"}, {15, "nan"}, {16, "1e400"},
    {16, "-inf"}, {17, ""},    {17, "nan"}, {17, "1e300"},
};

bool showsNonNumber(const QString& text) {
    const QString low = text.toLower();
    return low.contains(QStringLiteral("nan")) || low.contains(QStringLiteral("inf"));
}

// Enough for any of these commands on a finite input: a hang shows as a run
// past it, which the test then stops by unloading the canvas.
constexpr int pauseLimit = 60000;

class SweepFields : public CanvasTest {
public:
    MainWindow& mainWindow() { return main(); }
    SharedState& shared() { return state(); }

protected:
    using Command = std::function<void(SweepFields&, CanvasWindow&)>;
    struct Row {
        const char* name;
        CanvasMode mode;
        Command run;
    };

    void setGood() {
        for (const auto& [i, text] : goodFields)
            main().Text1[i]->setText(QString::fromLatin1(text));
    }

    // Runs `row` once per entry on a canvas launched afresh for the row.
    template <std::size_t N> void sweep(const Row& row, const Entry (&entries)[N]) {
        const QStringList allowed = {QString::fromUtf8(inputCheckMessage),
                                     QString::fromUtf8(arithmeticErrorMessage)};
        main().Timer4.stop(); // no start-up display in the middle
        CanvasWindow& c = launchSmall(row.mode, {120, 90}, white);
        for (const Entry& e : entries) {
            SCOPED_TRACE(testing::Message()
                         << row.name << ": Text1(" << e.field << ") = \"" << e.text << '"');
            setGood();
            main().Text1[e.field]->setText(QString::fromUtf8(e.text));
            std::array<QString, 18> before;
            for (int i = 0; i < 18; ++i)
                before[i] = main().Text1[i]->text();
            t.dialogs.clearLog();
            const int start = t.clock.pauses();
            bool stopped = false;
            t.clock.onPause = [&](int n) {
                if (n - start > pauseLimit && !stopped) {
                    stopped = true;
                    t.program->unloadCanvas();
                }
            };
            row.run(*this, c);
            t.clock.onPause = nullptr;
            ASSERT_FALSE(stopped) << "no end after " << pauseLimit << " waits";
            ASSERT_FALSE(c.isDead());
            for (int i = 0; i < 18; ++i) {
                const QString now = main().Text1[i]->text();
                EXPECT_FALSE(now != before[i] && showsNonNumber(now))
                    << "Text1(" << i << ") = " << now.toStdString();
            }
            for (const TextBox* box : {c.Text1[0], c.Text1[1], c.Text1[2], c.Text1[3]})
                EXPECT_FALSE(showsNonNumber(box->text())) << box->text().toStdString();
            for (const QString& m : t.dialogs.messageTexts())
                EXPECT_TRUE(allowed.contains(m)) << m.toStdString();
        }
    }
};

TEST_F(SweepFields, EveryCommandReadingTheFieldsEndsCleanlyOnBadEntries) {
    const Row rows[] = {
        {"main 推导计算", CanvasMode::Drop,
         [](SweepFields& f, CanvasWindow&) { f.mainWindow().command1Click(); }},
        {"main replay", CanvasMode::Drop,
         [](SweepFields& f, CanvasWindow&) { f.mainWindow().picture1Click(); }},
        {"canvas 推导计算", CanvasMode::Drop,
         [](SweepFields&, CanvasWindow& c) { c.command1Click(0); }},
        {"click plot", CanvasMode::Drop, [](SweepFields&, CanvasWindow& c) { c.picture1Click(); }},
        {"雨", CanvasMode::Drop,
         [](SweepFields& f, CanvasWindow& c) {
             f.shared().rainStarted = false;
             c.command8Click();
         }},
        {"patterns", CanvasMode::Drop,
         [](SweepFields&, CanvasWindow& c) {
             for (PatternKind k : {PatternKind::Egg, PatternKind::Gold, PatternKind::Shell,
                                   PatternKind::Growth, PatternKind::Tower, PatternKind::Light})
                 drawPattern(c, k);
         }},
        {"sales", CanvasMode::Intercept, [](SweepFields&, CanvasWindow& c) { sales(c); }},
    };
    for (const Row& row : rows)
        sweep(row, modelEntries);
}

// The search runs its angles on the drop; the target and tolerance come
// first, then the model's own fields.
TEST_F(SweepFields, TheAngleSearchEndsCleanlyOnBadEntries) {
    const Row press{"press while armed", CanvasMode::Intercept,
                    [](SweepFields& f, CanvasWindow& c) {
                        f.shared().angleTransformArmed = true;
                        bianhuanjiaodu(c);
                    }};
    const Row button{"变换角度", CanvasMode::Intercept,
                     [](SweepFields&, CanvasWindow& c) { angleTransform(c); }};
    for (const Row* row : {&press, &button}) {
        sweep(*row, searchEntries);
        sweep(*row, modelEntries);
    }
}

// The renderers of the record replays take their drop from the records, whose
// values are numbers but may be any numbers.
TEST_F(SweepFields, TheRenderersEndCleanlyOnDropsTheModelCannotUse) {
    const double values[] = {0, -1, 1e300, -1e300, 1e-300};
    for (const bool first : {true, false}) {
        for (int field = 0; field < 8; ++field) {
            for (double v : values) {
                const Row row{"renderer", CanvasMode::Drop, [&](SweepFields&, CanvasWindow& c) {
                                  RainDrop d{1, 1, 1, 1, 1, 0, 0, 1};
                                  double* const inputs[] = {&d.t,   &d.radiusMm, &d.vx0,    &d.vfy,
                                                            &d.vy0, &d.startX,   &d.startY, &d.vfx};
                                  *inputs[field] = v;
                                  const double length = first ? rains(c, d) : rainst(c, d);
                                  EXPECT_TRUE(std::isfinite(length));
                              }};
                static const Entry none[] = {{11, ""}};
                sweep(row, none);
            }
        }
    }
}

// The width question: the pen width stays between 1 and 70 whatever the
// answers, and a closed canvas takes no answer.
TEST_F(SweepFields, TheWidthQuestionKeepsThePenBetweenOneAndSeventy) {
    CanvasWindow& c = launchSmall(CanvasMode::Freehand, {120, 90}, white);
    state().drawingMode = true;
    struct Case {
        int width;
        Answer answer;
        int expected;
    };
    for (const Case k : {Case{70, Answer::Yes, 70}, Case{69, Answer::Yes, 70},
                         Case{1, Answer::No, 1}, Case{2, Answer::No, 1}, Case{5, Answer::Ok, 5}}) {
        c.Picture1->setDrawWidth(k.width);
        t.dialogs.answerMessage(k.answer);
        c.surfaceClick();
        EXPECT_EQ(c.Picture1->drawWidth(), k.expected) << k.width;
    }
    t.dialogs.onMessage = [&] { t.program->unloadCanvas(); };
    t.dialogs.answerMessage(Answer::Yes);
    c.Picture1->setDrawWidth(5);
    jiajian(c);
    t.dialogs.onMessage = nullptr;
    EXPECT_TRUE(c.isDead());
    EXPECT_EQ(c.Picture1->drawWidth(), 5);
}

} // namespace
} // namespace quorin
