#include "imagecmp/ImageCommands.h"
#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "state/CanvasDialogs.h"
#include "state/SharedState.h"
#include <QDir>
#include <functional>
#include <vector>

namespace quorin {

namespace {

const QString recognitionTitle = QStringLiteral("Quorin 进化-quorin evolution 之图像识别");
// The replace question's title has a blank before 图像识别.
const QString replaceTitle = QStringLiteral("Quorin 进化-quorin evolution 之 图像识别");
const QString overlayTitle = QStringLiteral("Quorin 进化-quorin evolution 之图像叠加");
const QString overlayQuestionTitle = QStringLiteral("Quorin 进化-quorin evolution 之 图像叠加");

const QString m1 = QStringLiteral("图像采集时，请保持窗口大小不变，例如不要最小化窗口。请打开参与比"
                                  "较的第1幅图片，按钮：“采集分辨率”"
                                  "右边的2个文本框为图像采集的分辨率（X,"
                                  "Y），不能为“0”，默认为：（800，600），左下角的文本框为“颜色比较"
                                  "阀门限值”！默认为：100，默认值已经导入，请重新开始采集。");
const QString m9 = QStringLiteral("按钮：“坐标变换”右边的2个文本框为图像采集的分辨率（X,"
                                  "Y），不能为“0”，左下角的文本框为“采集阀门限值”！");

const QString firstSetNotice =
    QStringLiteral("将要导入的是图像对比所需要的第1个图像的像素集合；\r\n是否继续？");
const QString redrawWithThirdQuestion =
    QStringLiteral("重画图片,是：将采用与另一幅图画的相同位置像素重画，否：继续？");

constexpr ColorValue comparingBack = 39321; // the two-step buttons after a capture
constexpr ColorValue capturingBack = 39168; // and after the comparison

// The two waits of the image operations; both let the window's events run.
// False when the canvas was closed meanwhile.
bool pauseOneSecond(ImageEnv& c) {
    c.services().clock.pause(1.0, WaitKind::Processing);
    return !c.mustStop();
}
bool pauseHundredth(ImageEnv& c) {
    c.services().clock.pause(0.01, WaitKind::Processing);
    return !c.mustStop();
}

// A notice with only OK; false when the canvas was closed meanwhile.
bool tell(ImageEnv& c, const QString& text, const QString& title = recognitionTitle) {
    dialogs(c).message(text, MessageButtons::Ok, title);
    return !c.mustStop();
}

// A Yes/No question under the recognition's title.
std::optional<bool> ask(ImageEnv& c, const QString& text) {
    return quorin::ask(c, text, recognitionTitle);
}

// The open dialog for a pixel set: "" when cancelled or when the canvas was
// closed meanwhile.
QString chooseSet(ImageEnv& c) {
    const QString name = dialogs(c).openFile(textFileFilter());
    return c.mustStop() ? QString() : name;
}

// The chosen file into `table`. A file that cannot serve (unreadable, too
// large, no pixel set, no CR LF rows, more rows than the row reader holds) is
// told and ends the operation with the table untouched.
bool readSet(ImageEnv& c, const QString& name, PixelTable& table,
             const QString& title = recognitionTitle) {
    const PixelSetRead read = readPixelSetFile(name, table, rowTableRows);
    if (read.status == PixelSetRead::Status::Read)
        return true;
    dialogs(c).message(pixelSetReadMessage(read.status, name), MessageButtons::Ok,
                       read.status == PixelSetRead::Status::TooManyRows ? QStringLiteral("Quorin")
                                                                        : title);
    return false;
}

// Buttons hidden for a while; those that were shown come back (unless the
// canvas is gone), those the mode had hidden stay hidden.
class HiddenButtons {
public:
    HiddenButtons(ImageEnv& c, std::initializer_list<QWidget*> buttons) : c_(c) {
        for (QWidget* b : buttons) {
            if (!b->isHidden())
                shown_.push_back(b);
            b->hide();
        }
    }
    ~HiddenButtons() {
        if (c_.mustStop())
            return;
        for (QWidget* b : shown_)
            b->show();
    }
    HiddenButtons(const HiddenButtons&) = delete;
    HiddenButtons& operator=(const HiddenButtons&) = delete;

private:
    ImageEnv& c_;
    std::vector<QWidget*> shown_;
};

double boxWidth(ImageEnv& c) {
    return widthTwips(c.Picture1);
}
double boxHeight(ImageEnv& c) {
    return heightTwips(c.Picture1);
}

// Every operation starts here: captureMode, then the resolution. A resolution
// that gives no grid puts the defaults back and says why (the template
// button's own message and threshold). Otherwise AutoRedraw goes on and the
// grid is fixed for the whole operation.
std::optional<PixelGrid> startOperation(ImageEnv& c, bool templateButton) {
    c.state().captureMode = true;
    const auto grid = pixelGrid(boxWidth(c), boxHeight(c), c.Text1[2]->text(), c.Text1[3]->text());
    if (grid) {
        c.Picture1->setAutoRedraw(true);
        return grid;
    }
    if (templateButton) {
        if (!tell(c, m9, QStringLiteral("Quorin")))
            return std::nullopt;
    }
    c.Text1[2]->setText(QStringLiteral("800"));
    c.Text1[3]->setText(QStringLiteral("600"));
    c.Text2->setText(templateButton ? QStringLiteral("30") : QStringLiteral("100"));
    if (!templateButton)
        tell(c, m1, QStringLiteral("Quorin"));
    return std::nullopt;
}

// The live colours of one grid column.
std::vector<ColorValue> liveColumn(ImageEnv& c, const PixelGrid& grid, long long column) {
    const PictureBox& pic = *c.Picture1;
    return columnColours(grid, column, boxHeight(c),
                         [&](double x, double y) { return pic.pointTwips(x, y); });
}

enum class Written { Yes, Failed, Stopped };

// Builds a pixel-set text column by column (`column` appends one line and
// its running total), pausing after each, then replaces `path` with it whole.
// A failed write is told and leaves the old file; a canvas closed during a
// pause writes nothing.
Written writeColumns(ImageEnv& c, const PixelGrid& grid, const QString& path,
                     const std::function<void(QByteArray&, long long, long long&)>& column,
                     const QByteArray& tail = {}) {
    QByteArray text;
    long long total = 0;
    for (long long i = 0; i < grid.columns(); ++i) {
        column(text, i, total);
        if (!pauseHundredth(c))
            return Written::Stopped;
    }
    text += tail;
    if (replaceFileBytes(path, text))
        return Written::Yes;
    dialogs(c).message(notWrittenMessage(path), MessageButtons::Ok, recognitionTitle);
    return Written::Failed;
}

// Draws a filled disc of radius stepY at every grid point `colourAt` gives a
// colour for; false when the canvas was closed during a pause.
bool drawPoints(ImageEnv& c, const PixelGrid& grid,
                const std::function<std::optional<ColorValue>(long long, long long)>& colourAt) {
    PictureBox& pic = *c.Picture1;
    const auto radius = static_cast<double>(grid.stepY);
    for (long long i = 0; i < grid.columns(); ++i) {
        const long long rows = grid.rows(boxHeight(c));
        for (long long k = 0; k < rows; ++k) {
            const auto colour = colourAt(i, cellField(k));
            if (!colour)
                continue;
            pic.setFillStyle(FillStyle::Solid);
            pic.setFillColor(*colour);
            pic.circleTwips(grid.columnX(i), grid.rowY(k), radius, *colour);
        }
        if (!pauseHundredth(c))
            return false;
    }
    return true;
}

// Every point of `set` that is not "*", in its own colour.
bool drawOwnColours(ImageEnv& c, const PixelGrid& grid, const PixelTable& set) {
    return drawPoints(c, grid, [&](long long i, long long f) { return ownColour(set.cell(i, f)); });
}

// Every point of the first set that is not "*", in the colour of the same
// point of the third set.
bool drawThirdColours(ImageEnv& c, const PixelGrid& grid) {
    const SharedState& s = c.state();
    return drawPoints(c, grid, [&](long long i, long long f) -> std::optional<ColorValue> {
        return isMarked(s.pixelSet1.cell(i, f)) ? cellColour(s.pixelSet3.cell(i, f)) : std::nullopt;
    });
}

// The points that differ between the first and the second set in the pen
// colour, the others in the first set's colour; `templateRule` chooses the rule.
bool drawComparison(ImageEnv& c, const PixelGrid& grid, bool templateRule) {
    const SharedState& s = c.state();
    const long long threshold = colourThreshold(c.Text2->text());
    return drawPoints(c, grid, [&](long long i, long long f) -> std::optional<ColorValue> {
        const CellText first = s.pixelSet1.cell(i, f);
        if (first.isEmpty())
            return std::nullopt;
        const Rgb a = colourComponents(first), b = colourComponents(s.pixelSet2.cell(i, f));
        const bool differs =
            templateRule ? templateDiffers(a, b, threshold) : colourDiffers(a, b, threshold);
        return differs ? c.yaa : cellColour(first);
    });
}

// The last question of a redraw: the first set again, in the colours of a
// third set or in its own.
void redrawWithThird(ImageEnv& c, const PixelGrid& grid) {
    const auto yes = ask(c, redrawWithThirdQuestion);
    if (!yes)
        return;
    if (!*yes) {
        drawOwnColours(c, grid, c.state().pixelSet1);
        return;
    }
    const QString name = chooseSet(c);
    if (name.isEmpty() || !readSet(c, name, c.state().pixelSet3))
        return;
    drawThirdColours(c, grid);
}

QString differencePath(ImageEnv& c) {
    return c.services().folder.ownFile(QString::fromLatin1(differenceFileName));
}

// After a difference file is written: where it is, and whether to mark the
// points in the pen colour or in their own.
void offerMarking(ImageEnv& c, const QString& path) {
    if (!tell(c,
              QStringLiteral("已成功对比图片,并保存不同点到 了:") + QDir::toNativeSeparators(path)))
        return;
    const auto yes =
        ask(c, QStringLiteral("是否将所有不同点画出来？是，表示用自定义的画色标记，否，用图像"
                              "原来的颜色标记。"));
    if (!yes || !pauseHundredth(c))
        return;
    chonghua(c, path, *yes);
}

// --- capture ---

enum class CaptureButton { Group, TwoStep, Template };

// The state of a two-step button, and its caption and colour that show it.
bool& comparesNext(ImageEnv& c, const CommandButton* button) {
    return button == c.Command9 ? c.command9Compares : c.command11Compares;
}
void showStep(ImageEnv& c, CommandButton* button, bool compares) {
    comparesNext(c, button) = compares;
    button->setCaption(compares ? QStringLiteral("图像对比") : QStringLiteral("图像采集"));
    button->setBackColor(compares ? comparingBack : capturingBack);
}

void capture(ImageEnv& c, CommandButton* button, CaptureButton kind) {
    const auto grid = startOperation(c, kind == CaptureButton::Template);
    if (!grid)
        return;
    if (kind != CaptureButton::Group)
        showStep(c, button, true);
    if (!tell(c, QStringLiteral("将要保存的是Quorin画画的像素集合；\r\n是否继续？")))
        return;
    const QString name = dialogs(c).saveFile(textFileFilter());
    if (c.mustStop())
        return;
    const HiddenButtons hidden(c, {c.Command1[9], button, c.Command1[7]});
    if (name.isEmpty())
        return;
    QByteArray tail;
    if (fileExists(name)) {
        const auto yes = ask(c, QStringLiteral("已经存在,要替换她吗？"), replaceTitle);
        if (!yes || !pauseOneSecond(c) || !*yes)
            return;
        tail = "\r\n\r\n";
    }
    if (!pauseOneSecond(c))
        return;
    SharedState& s = c.state();
    const auto column = [&](QByteArray& text, long long i, long long& total) {
        const std::vector<ColorValue> colours = liveColumn(c, *grid, i);
        appendColourLine(text, colours, total);
        if (kind == CaptureButton::Template)
            for (std::size_t k = 0; k < colours.size(); ++k)
                s.capturedPixels.set(i, cellField(static_cast<long long>(k)),
                                     QString::number(colours[k]));
    };
    if (writeColumns(c, *grid, name, column, tail) != Written::Yes)
        return;
    tell(c,
         kind == CaptureButton::Group
             ? name + QStringLiteral("采集成功，在进行下一步图像处理之前，请记住该图像所对应的像素"
                                     "文件名称。")
             : QStringLiteral("采集成功，在进行下一步之前，请打开参与比较的第2幅图像，准备比较。"
                              "或者 采集好2张图片的像素文件。"));
}

// --- comparison of two sets (图像比较) ---

void compareSets(ImageEnv& c) {
    const auto grid = startOperation(c, false);
    if (!grid || !tell(c, firstSetNotice))
        return;
    SharedState& s = c.state();
    const QString first = chooseSet(c);
    if (first.isEmpty() || !pauseOneSecond(c) || !readSet(c, first, s.pixelSet1))
        return;
    {
        const HiddenButtons hidden(c, {c.Command1[9], c.Command12[1], c.Command1[7]});
        if (!tell(c, QStringLiteral(
                         "已经成功导入第1幅图像的像素集合,接下来请导入第2幅图像的像素集合。")))
            return;
    }
    const QString second = chooseSet(c);
    if (second.isEmpty() || !pauseOneSecond(c) || !readSet(c, second, s.pixelSet2))
        return;
    if (!tell(c, QStringLiteral("已经成功导入第2幅图像的像素集合,开始比较2个的不同之处。")))
        return;
    const long long threshold = colourThreshold(c.Text2->text());
    const QString path = differencePath(c);
    const auto column = [&](QByteArray& text, long long i, long long& total) {
        appendSetDifferences(text, s.pixelSet1, s.pixelSet2, i, grid->rows(boxHeight(c)), threshold,
                             total);
    };
    if (writeColumns(c, *grid, path, column) == Written::Yes)
        offerMarking(c, path);
}

// --- overlay (图像叠加) ---

void overlay(ImageEnv& c) {
    const auto grid = startOperation(c, false);
    if (!grid)
        return;
    const auto background =
        ask(c, QStringLiteral("是否打开1幅图片，作为叠加图片的背景。"), overlayQuestionTitle);
    if (!background || !*background)
        return;
    if (!tell(c,
              QStringLiteral("接下来，导入的是需要叠加的像素集合, 它可以是”图像比较“得出的结果,") +
                  QDir::toNativeSeparators(differencePath(c)) +
                  QStringLiteral("，也可以是其他图像的像素集合（如果不是”图像比较“ "
                                 "产生的结果，那么将重画此像素集合。），"),
              overlayQuestionTitle))
        return;
    SharedState& s = c.state();
    const QString name = chooseSet(c);
    if (name.isEmpty() || !pauseOneSecond(c) || !readSet(c, name, s.pixelSet1, overlayTitle))
        return;
    const auto others = ask(c,
                            QStringLiteral("叠加图片,是：将采用与另一幅图画的相同位置像素重画，"
                                           "否：保持原来的像素重画？"),
                            overlayTitle);
    if (!others || !pauseOneSecond(c))
        return;
    if (*others) {
        const QString third = chooseSet(c);
        if (third.isEmpty() || !pauseOneSecond(c) ||
            !readSet(c, third, s.pixelSet3, overlayTitle) || !drawThirdColours(c, *grid))
            return;
    } else if (!drawOwnColours(c, *grid, s.pixelSet1)) {
        return;
    }
    tell(c, QStringLiteral("叠加图片,绘画完毕！"), overlayTitle);
}

// --- the second press of the two-step buttons ---

void compareWithPicture(ImageEnv& c, CommandButton* button, bool templateRule) {
    const auto grid = startOperation(c, templateRule);
    if (!grid)
        return;
    showStep(c, button, false);
    if (!tell(c, templateRule
                     ? QStringLiteral("将要导入的是图像对比所需要的模板像素集合；\r\n是否继续？")
                     : firstSetNotice))
        return;
    SharedState& s = c.state();
    const QString first = chooseSet(c);
    if (first.isEmpty() || !readSet(c, first, s.pixelSet1))
        return;
    const auto compare = ask(
        c,
        templateRule
            ? QStringLiteral("已经成功导入像素集合,是否继续,是：表示对比图片，否：表示重画图片？")
            : QStringLiteral(
                  "已经成功导入像素集合,是否继续,是：表示对比图片,并保存不同点（注意："
                  "需要预先导入参与比较的第2个图像），否：表示对比并重画图片？（注意：需要"
                  "预先采集参与比较的第2个图像的像素集合）"));
    if (!compare)
        return;
    if (*compare) {
        const long long threshold = colourThreshold(c.Text2->text());
        const QString path = differencePath(c);
        const auto column = [&](QByteArray& text, long long i, long long& total) {
            const std::vector<ColorValue> live = liveColumn(c, *grid, i);
            if (templateRule)
                appendTemplateDifferences(text, s.pixelSet1, i, live, threshold, total);
            else
                appendLiveDifferences(text, s.pixelSet1, i, live, threshold, total);
        };
        // The template comparison only keeps its file.
        if (writeColumns(c, *grid, path, column) == Written::Yes && !templateRule)
            offerMarking(c, path);
        return;
    }
    if (templateRule) {
        const auto second =
            ask(c, QStringLiteral("重画图片,是：将打开其他图片的像素集合与第1次打开的像素"
                                  "集合进行对比重画，否：表示重画第1次打开的像素集合所示"
                                  "图片？"));
        if (!second)
            return;
        if (!*second) {
            drawOwnColours(c, *grid, s.pixelSet1);
            return;
        }
    } else if (!tell(c,
                     QStringLiteral("重画图片,是：将打开其他图片的像素集合与第1次打开的像素集合进行"
                                    "对比重画？"))) {
        return;
    }
    const QString second = chooseSet(c);
    if (second.isEmpty() || !readSet(c, second, s.pixelSet2) ||
        !drawComparison(c, *grid, templateRule))
        return;
    redrawWithThird(c, *grid);
}

void twoStep(ImageEnv& c, CommandButton* button, bool templateRule) {
    if (!comparesNext(c, button))
        capture(c, button, templateRule ? CaptureButton::Template : CaptureButton::TwoStep);
    else
        compareWithPicture(c, button, templateRule);
}

} // namespace

// Image operations do not nest: a press that arrives during another one's
// pauses is ignored.
void command12Click(ImageEnv& canvas, int index) {
    const RunningScope guard(canvas.imageOperationRunning);
    if (!guard.first())
        return;
    switch (index) {
    case 0:
        capture(canvas, canvas.Command12[0], CaptureButton::Group);
        break;
    case 1:
        compareSets(canvas);
        break;
    case 2:
        overlay(canvas);
        break;
    default:
        break;
    }
}

void command11Click(ImageEnv& canvas) {
    const RunningScope guard(canvas.imageOperationRunning);
    if (guard.first())
        twoStep(canvas, canvas.Command11, false);
}

void command9Click(ImageEnv& canvas) {
    const RunningScope guard(canvas.imageOperationRunning);
    if (guard.first())
        twoStep(canvas, canvas.Command9, true);
}

void chonghua(ImageEnv& canvas, const QString& path, bool inPen) {
    SharedState& s = canvas.state();
    if (!readSet(canvas, path, s.pixelSet1))
        return;
    // The steps as they stand now; a resolution that gives no grid draws
    // nothing.
    const auto grid = pixelGrid(boxWidth(canvas), boxHeight(canvas), canvas.Text1[2]->text(),
                                canvas.Text1[3]->text());
    if (!grid)
        return;
    if (!inPen) {
        drawOwnColours(canvas, *grid, s.pixelSet1);
        return;
    }
    drawPoints(canvas, *grid, [&](long long i, long long f) -> std::optional<ColorValue> {
        return isMarked(s.pixelSet1.cell(i, f)) ? std::optional(canvas.yaa) : std::nullopt;
    });
}

} // namespace quorin
