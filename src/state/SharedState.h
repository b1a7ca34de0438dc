#pragma once
#include "core/StrokeFile.h"
#include "platform/BoundedTable.h"
#include "platform/PixelTable.h"
#include "state/Swatches.h"
#include <QString>
#include <cstddef>

namespace quorin {

// The one record both windows share for the whole run. Every field starts at
// zero; it outlives canvas reloads.
struct SharedState {
    // --- mode and display flags ---
    bool simulationMode = false;
    bool interceptMode = false;
    bool angleTransformArmed = false;
    bool mathDrawingLayout = false;
    bool hideAnimationButtons = false;
    bool captureMode = false;
    bool drawingMode = false;
    bool fullScreen = false;
    bool keepPicture = false;
    bool fullScreenResizing = false;
    bool fullDrawToggle = false;
    bool barFullScreen = false;
    bool screenSaverMode = false;
    bool rainStarted = false;
    bool replayMode = false;

    // --- main window ---
    Swatches swatches;
    double penColor = 0;
    double videoSeekFraction = 0;
    double videoScrollMark = 0;

    // --- interception target ---
    double targetX = 0;
    double targetY = 0;

    // --- picture preview ---
    BoundedArray<QString> previewFiles{10000};
    double previewFileCount = 0;
    double previewIndex = 0;

    // --- stroke recording ---
    BoundedTable<double> strokeX{3000, 3000};
    BoundedTable<double> strokeY{3000, 3000};
    BoundedTable<double> strokeColor{3000, 3000};
    BoundedTable<double> strokeWidth{3000, 3000};
    BoundedArray<double> strokePointCount{3000};
    BoundedArray<double> strokeGroupEnd{3000};
    double strokeCount = 0;
    double pointCount = 0;
    double strokeSlot = 0;
    double strokeGroupIndex = 0;
    double replayCounter = 0;
    double coordTransformX = 0;
    double coordTransformY = 0;

    // --- trajectory-record replay ---
    BoundedArray<QString> treeRecords{100000};
    double treeRecordCount = 0;
    double treeRecordIndex = 0;
    BoundedArray<double> recordValues{7};
    QString replayRecordText;
    double replayPanX = 0;
    double replayPanY = 0;
    double replayLastResult = 0;

    // --- the row reader: rows kept from the last stroke file read ---
    double tableRowCount = 0;

    // --- pixel sets ---
    PixelTable capturedPixels{5000, 5000};
    PixelTable pixelSet1{5000, 5000};
    PixelTable pixelSet2{5000, 5000};
    PixelTable pixelSet3{5000, 5000};

    // The canvas load and 画画 start counting strokes afresh.
    void zeroStrokeCounters() {
        strokeCount = 0;
        pointCount = 0;
        strokeSlot = 0;
        strokeGroupIndex = 0;
    }

    // The stroke tables, as the stroke file writes, reads and replays them.
    StrokeTables strokeTables() {
        return {strokeX, strokeY, strokeColor, strokeWidth, strokePointCount, strokeGroupEnd};
    }
    // Strokes of the present group: those 导出 writes and 自动 replays.
    double groupStrokeCount() const { return strokeGroupEnd.at(tableIndex(strokeGroupIndex)); }

    // Bytes held by the record and its tables as they stand.
    std::size_t memoryBytes() const;
};

} // namespace quorin
