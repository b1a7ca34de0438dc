#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorin;

namespace {

struct BoxSeen {
    bool shown = false; // a visible message box was the active modal widget
    QWidget* owner = nullptr;
};

// Once the next box is up, notes what it looks like, then runs `respond` on
// it. Whatever else comes up is closed, so that a failure cannot hang the run.
template <typename Respond> void onNextBox(BoxSeen& seen, Respond respond) {
    QTimer::singleShot(0, [&seen, respond] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        seen.shown = box && box->isVisible() && box->windowHandle()->isVisible();
        seen.owner = box && box->parentWidget() ? box->parentWidget()->window() : nullptr;
        if (box)
            respond(*box);
        else if (modal)
            modal->close();
    });
}

// Plain windows as the program has them. In the failing state the window
// system reports a window active after the program has hidden it (unloaded).
class DialogParentTest : public ::testing::Test {
protected:
    static void activate(QWidget& w, bool thenHide = false) {
        w.show();
        w.activateWindow();
        if (thenHide)
            w.hide();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &w);
    }

    Answer ask(MessageButtons buttons, QMessageBox::StandardButton press, BoxSeen& seen) {
        onNextBox(seen, [press](QMessageBox& box) { box.button(press)->click(); });
        return dialogs.message(QStringLiteral("提示"), buttons, QStringLiteral("Quorin"));
    }

    QtDialogs dialogs; // made first: it follows which window was active
    QWidget kept, other, gone;
};

TEST_F(DialogParentTest, BoxIsShownOverAShownWindowNeverAHiddenOneOrADialog) {
    QDialog dialog;
    dialog.show();
    for (const auto& [buttons, press, answer] :
         {std::tuple{MessageButtons::Ok, QMessageBox::Ok, Answer::Ok},
          std::tuple{MessageButtons::YesNo, QMessageBox::Yes, Answer::Yes},
          std::tuple{MessageButtons::YesNo, QMessageBox::No, Answer::No}}) {
        ASSERT_NO_FATAL_FAILURE(activate(kept));
        ASSERT_NO_FATAL_FAILURE(activate(gone, true));
        BoxSeen seen;
        EXPECT_EQ(ask(buttons, press, seen), answer);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.owner, &kept);
    }
    kept.hide();
    ASSERT_NO_FATAL_FAILURE(activate(gone, true));
    BoxSeen seen;
    ask(MessageButtons::Ok, QMessageBox::Ok, seen);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, nullptr);
}

TEST_F(DialogParentTest, OfTheShownWindowsTheOneActiveLastOwnsTheBox) {
    for (auto [first, last] : {std::pair{&kept, &other}, std::pair{&other, &kept}}) {
        ASSERT_NO_FATAL_FAILURE(activate(*first));
        ASSERT_NO_FATAL_FAILURE(activate(*last));
        ASSERT_NO_FATAL_FAILURE(activate(gone, true));
        BoxSeen seen;
        ask(MessageButtons::Ok, QMessageBox::Ok, seen);
        EXPECT_EQ(seen.owner, last);
    }
}

// Return as the window system delivers it: through the box's window.
void sendReturn(QMessageBox& box, QEvent::Type type, quint64 time, bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), autoRepeat);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(box.windowHandle(), &event);
}

TEST(MessageBoxKeys, ReturnHeldFromBeforeTheBoxDoesNotAnswerItAFreshPressDoes) {
    QtDialogs dialogs;
    BoxSeen seen;
    bool upAfterHeldKey = false;
    onNextBox(seen, [&upAfterHeldKey](QMessageBox& box) {
        sendReturn(box, QEvent::KeyPress, 100, true); // a repeat flagged as one
        sendReturn(box, QEvent::KeyRelease, 140);     // one as X sends it
        sendReturn(box, QEvent::KeyPress, 140);
        upAfterHeldKey = box.isVisible();
        sendReturn(box, QEvent::KeyRelease, 150);
        sendReturn(box, QEvent::KeyPress, 900);
        if (box.isVisible())
            box.close();
    });
    EXPECT_EQ(dialogs.message(QStringLiteral("替换吗？"), MessageButtons::YesNo, QString()),
              Answer::Yes);
    EXPECT_TRUE(upAfterHeldKey);
}

} // namespace
