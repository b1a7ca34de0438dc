#include "canvas/CommandBar.h"
#include "canvas/CanvasBackgrounds.h"
#include "canvas/CanvasLayout.h"
#include "canvas/Freehand.h"
#include "canvas/Interception.h"
#include "canvas/Preview.h"
#include "canvas/StrokeFiles.h"
#include "canvas/StrokeReplay.h"
#include "core/ParameterRecords.h"
#include "motion/CanvasPlot.h"
#include "platform/NumberText.h"
#include "platform/PictureFile.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "state/CanvasDialogs.h"
#include "state/MainFields.h"
#include "state/SharedState.h"
#include <QDate>
#include <QLocale>
#include <array>
#include <utility>

namespace quorin {

namespace {

const QString drawTitle = QStringLiteral("Quorin画图");
const QString saveTitle = QStringLiteral("Quorin计算 ");
const QString prestoreTitle = QStringLiteral("Quorin计算 之 查询存储");

// A file the command could not write: the user hears, and the file is as it
// was (pictures are replaced whole, records appended whole or not at all).
void tellNotSaved(CommandBarEnv& canvas, const QString& path, const QString& title) {
    dialogs(canvas).message(notWrittenMessage(path), MessageButtons::Ok, title);
}

void appendRecords(CommandBarEnv& canvas, const QString& fileName, const RecordValues& values,
                   const QString& title) {
    const ProgramFolder& folder = canvas.services().folder;
    const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    // Each file is tried on its own: one that cannot be written does not
    // cost the other its record.
    const std::array<std::pair<QString, QString>, 2> records = {{
        {folder.ownFile(QStringLiteral("treego.txt")), treegoRecord(values)},
        {folder.ownFile(QStringLiteral("tree.txt")), treeRecord(date, fileName, values)},
    }};
    for (const auto& [path, record] : records)
        if (!appendTextFile(path, record) && !canvas.mustStop())
            tellNotSaved(canvas, path, title);
}

// Save dialog, replace question, picture, and (图像保存 only) the records.
// Records are written only once the picture is on disk, so a failed save
// never leaves records of a picture that does not exist; a record that cannot
// be appended costs nothing but itself. Cancel ends the command quietly; a
// file that cannot be written is reported.
void savePictureSteps(CommandBarEnv& canvas, const QString& replaceTitle, bool withRecords) {
    const QString name = dialogs(canvas).saveFile(pictureFileFilter());
    if (canvas.mustStop() || name.isEmpty())
        return;
    if (fileExists(name)) {
        const QString question = name + QStringLiteral("已经存在。\r\n要替换她吗？");
        if (!askYes(canvas, question, replaceTitle))
            return;
    }
    const RecordValues values = currentRecordValues(canvas);
    if (!canvas.Picture1->savePicture(name, SaveFormat::ByExtension)) {
        tellNotSaved(canvas, name, replaceTitle);
        return;
    }
    if (withRecords)
        appendRecords(canvas, name, values, replaceTitle);
}

} // namespace

void runCommandBar(CommandBarEnv& canvas, int index) {
    switch (index) {
    case 0:
        derive(canvas);
        break;
    case 1:
        clearCanvasPicture(canvas);
        break;
    case 2:
        prestorePicture(canvas);
        break;
    case 3:
        savePictureWithRecord(canvas);
        break;
    case 4:
        canvas.yae = PlotWindow::Yae::danse;
        canvas.Command1[5]->setEnabled(true);
        canvas.Command1[4]->setEnabled(false);
        break;
    case 5:
        canvas.yae = PlotWindow::Yae::caise;
        canvas.Command1[4]->setEnabled(true);
        canvas.Command1[5]->setEnabled(false);
        break;
    case 6:
        chooseBackColor(canvas);
        break;
    case 7:
        choosePenColor(canvas);
        break;
    case 8:
        canvas.huatuo = false;
        break;
    case 9:
        importPicture(canvas);
        break;
    case 10:
        angleTransform(canvas);
        break;
    case 11:
        coordinateTransform(canvas);
        break;
    case 12:
        canvas.huaxian = true;
        break;
    case 13:
        writeText(canvas);
        break;
    case 14:
        huahua(canvas);
        break;
    case 15:
        autop(canvas);
        break;
    case 16:
        outsave(canvas);
        break;
    case 17:
        inputres(canvas);
        break;
    case 18:
        barFullScreenCommand(canvas);
        break;
    case 19:
        fullDrawingScreenCommand(canvas);
        break;
    case 20:
        previewClick(canvas);
        break;
    case 21:
        cxqh(canvas);
        break;
    default:
        break;
    }
}

void clearCanvasPicture(CommandBarEnv& canvas) {
    if (!askYes(canvas, QStringLiteral("确定要清空保存的图像，重新开始画图吗？"), drawTitle))
        return;
    SharedState& s = canvas.state();
    canvas.Picture1->clearPicture();
    canvas.Image1->clearPicture();
    canvas.Text1[2]->setText(QStringLiteral("0"));
    canvas.Text1[3]->setText(QStringLiteral("0"));
    s.keepPicture = false;
    canvas.mainFields().setFieldText(15, QStringLiteral("0"));
    canvas.mainFields().setFieldText(16, QStringLiteral("0"));
    canvas.zx = val(canvas.Text1[2]->text());
    canvas.zy = val(canvas.Text1[3]->text());
    s.coordTransformX = canvas.zx;
    s.coordTransformY = canvas.zy;
    canvas.Picture1->setAutoRedraw(false);
}

void prestorePicture(CommandBarEnv& canvas) {
    if (!askYes(canvas, QStringLiteral("确定要预存图像吗？"), drawTitle))
        return;
    canvas.state().keepPicture = true;
    canvas.Picture1->setAutoRedraw(true);
    savePictureSteps(canvas, prestoreTitle, false);
}

void savePictureWithRecord(CommandBarEnv& canvas) {
    savePictureSteps(canvas, saveTitle, true);
}

void savephoto(CommandBarEnv& canvas) {
    savePictureSteps(canvas, saveTitle, false);
}

// 底色 and 画色 share one colour dialog, which remembers the last colour
// chosen; Cancel gives that colour back and it is applied as if chosen.
namespace {
ColorValue askColor(CanvasSurface& canvas) {
    Swatches& swatches = canvas.swatches();
    swatches.dialogColor = dialogs(canvas).chooseColor(swatches.dialogColor);
    return swatches.dialogColor;
}
} // namespace

void chooseBackColor(CanvasSurface& canvas) {
    const ColorValue c = askColor(canvas);
    if (canvas.mustStop())
        return;
    canvas.swatches().setPaper(c);
    canvas.Picture1->setBackColor(canvas.swatches().paper());
}

void choosePenColor(CanvasSurface& canvas) {
    const ColorValue c = askColor(canvas);
    if (canvas.mustStop())
        return;
    canvas.swatches().setPen(c);
    canvas.yaa = canvas.swatches().pen();
}

void importPicture(CanvasPlotEnv& canvas) {
    PictureBox& pic = *canvas.Picture1;
    pic.clearPicture();
    canvas.Image1->clearPicture();
    pic.scale(0, 0, widthTwips(&pic), heightTwips(&pic));
    canvas.services().clock.pause(1.0, WaitKind::Processing);
    if (canvas.mustStop())
        return;
    const QString file = dialogs(canvas).openFile(pictureFileFilter());
    if (canvas.mustStop())
        return;
    // The plot window of the canvas derive, for the click plot that follows.
    // Inputs that make no plot leave it as it was: the user asked for a
    // picture, not a plot.
    derivePlotWindow(canvas);
    canvas.Image1->hide();
    pic.setAutoRedraw(true);
    if (!file.isEmpty()) {
        canvas.Image1->setStretch(true);
        // A file that cannot be shown ends the command where it stands, and
        // the user hears which one it was.
        if (!canvas.Image1->loadPicture(file)) {
            dialogs(canvas).message(pictureNotOpenedMessage(file), MessageButtons::Ok,
                                    QStringLiteral("Quorin"));
            return;
        }
        paintImageOverPicture(canvas);
        pic.setAutoRedraw(false);
        pic.refresh();
    }
    pic.setAutoRedraw(false);
    pic.refresh();
}

void coordinateTransform(CommandBarEnv& canvas) {
    SharedState& s = canvas.state();
    canvas.Picture1->setAutoRedraw(false);
    canvas.Text1[2]->setText(canvas.mainFields().fieldText(15));
    canvas.Text1[3]->setText(canvas.mainFields().fieldText(16));
    canvas.baochi = true;
    // Text that is no number counts as 0 rather than stopping the program.
    canvas.zx = val(canvas.Text1[2]->text());
    canvas.zy = val(canvas.Text1[3]->text());
    s.coordTransformX = canvas.zx;
    s.coordTransformY = canvas.zy;
    canvas.Text1[2]->setBackColor(colors::buttonCream);
    canvas.Text1[3]->setBackColor(colors::buttonCream);
}

void writeText(CommandBarEnv& canvas) {
    const QString text = canvas.Text2->text();
    PictureBox& pic = *canvas.Picture1;
    pic.setFontSize(30);
    pic.setFontBold(true);
    pic.setFillColor(canvas.yaa);
    pic.setFontName(availableFontFamily(QStringLiteral("华文行楷")));
    pic.pset(canvas.zx, canvas.zy, canvas.yaa);
    pic.print(text);
}

void cxqh(CommandBarEnv& canvas) {
    if (!canvas.state().drawingMode)
        return;
    canvas.thickPen = !canvas.thickPen;
    canvas.Command1[21]->setCaption(canvas.thickPen ? QStringLiteral("细") : QStringLiteral("粗"));
    canvas.Picture1->setDrawWidth(canvas.thickPen ? 7 : 2);
}

void derive(CanvasPlotEnv& canvas) {
    canvasDerive(canvas);
}

RecordValues currentRecordValues(CommandBarEnv& canvas) {
    const MainFields& main = canvas.mainFields();
    return {main.fieldText(10),      main.fieldText(0), main.fieldText(1),
            main.fieldText(3),       main.fieldText(4), canvas.Text1[2]->text(),
            canvas.Text1[3]->text(), main.fieldText(2)};
}

} // namespace quorin
