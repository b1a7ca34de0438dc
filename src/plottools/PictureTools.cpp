#include "plottools/PictureTools.h"
#include "platform/PictureBox.h"
#include "platform/Services.h"

namespace quorin {

void savePlot(PictureBox& plot, const Services& services) {
    plot.setAutoRedraw(true);
    const QString path = services.folder.ownFile(QStringLiteral("11.jpg"));
    // The user believes the plot is saved unless told otherwise.
    if (!plot.savePicture(path, SaveFormat::Bmp))
        services.dialogs.message(QString::fromUtf8(plotSaveFailedMessage), MessageButtons::Ok,
                                 QStringLiteral("Quorin"));
}

void clearPlot(PictureBox& plot) {
    plot.cls();
}

} // namespace quorin
