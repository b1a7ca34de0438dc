#pragma once
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/MediaPlayer.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include <functional>
#include <memory>

class QWidget;

namespace quorin {

// What the windows need from the outside world; owned by Program (or a test).
struct Services {
    Dialogs& dialogs;
    Clock& clock;
    const ProgramFolder& folder;
    Random& random;
    std::function<std::unique_ptr<MediaPlayer>(QWidget* parent)> makeMediaPlayer;
};

} // namespace quorin
