#pragma once
#include "app/Program.h"
#include "support/FakeMediaPlayer.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "support/VirtualClock.h"
#include <functional>
#include <memory>

namespace quorin::test {

// A whole program on test doubles: scripted dialogs, virtual time, a fresh
// program folder (with the program's pictures copied in unless asked not to)
// and a fake video player. The main window is built (and loaded) but not shown.
struct TestProgram {
    // `prepare` fills the program folder before the program starts.
    explicit TestProgram(bool withPictures = true,
                         const std::function<void(TempFolder&)>& prepare = {}) {
        if (prepare)
            prepare(temp);
        if (withPictures)
            for (const char* name : {"22.bmp", "IMG1463A.jpg", "I1.jpg", "hai1.jpg", "hai2.jpg",
                                     "hai03.jpg", "hai11.jpg", "plot580x360.jpg"})
                temp.copyPicture(QString::fromLatin1(name));
        program = std::make_unique<Program>(
            Services{dialogs, clock, temp.folder(), random, [this](QWidget*) {
                         auto p = std::make_unique<FakeMediaPlayer>();
                         player = p.get();
                         return std::unique_ptr<MediaPlayer>(std::move(p));
                     }});
    }
    ~TestProgram() { program.reset(); }

    MainWindow& main() { return program->mainWindow(); }
    SharedState& state() { return program->state(); }

    TempFolder temp;
    ScriptedDialogs dialogs;
    VirtualClock clock;
    SeededRandom random{12345};
    FakeMediaPlayer* player = nullptr; // owned by the main window
    std::unique_ptr<Program> program;
};

} // namespace quorin::test
