#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace quorin;

namespace {

// What the box looked like while it was up.
struct BoxSeen {
    bool shown = false; // a visible QMessageBox was the active modal widget
    QWidget* owner = nullptr;
};

// Once the next box is up, notes what it looks like and presses `button`.
// Whatever comes up instead is closed, so that a failure cannot hang the run.
void answerNextBox(BoxSeen& seen, QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [&seen, button] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        seen.shown =
            box && box->isVisible() && box->windowHandle() && box->windowHandle()->isVisible();
        seen.owner = box && box->parentWidget() ? box->parentWidget()->window() : nullptr;
        if (box && box->button(button))
            box->button(button)->click();
        else if (modal)
            modal->close();
    });
}

// Plain top-level windows as the program has them. The failing state: a
// window that was active has just been hidden (an unloaded window), and the
// window system has not yet told the application.
class DialogParentTest : public ::testing::Test {
protected:
    DialogParentTest() {
        for (QWidget* w : {&kept, &other, &gone})
            w->resize(300, 200);
    }

    static void activate(QWidget& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // The window system reports the activation after the program has hidden
    // the window again.
    static void activateThenHide(QWidget& w) {
        w.show();
        w.activateWindow();
        w.hide();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), &w);
        ASSERT_FALSE(w.isVisible());
    }

    QtDialogs dialogs; // made first: it follows which window was active
    QWidget kept;
    QWidget other;
    QWidget gone;
};

TEST_F(DialogParentTest, OkBoxShowsOverTheShownWindowWhenTheActiveOneIsHidden) {
    ASSERT_NO_FATAL_FAILURE(activate(kept));
    ASSERT_NO_FATAL_FAILURE(activateThenHide(gone));
    BoxSeen seen;
    answerNextBox(seen, QMessageBox::Ok);
    EXPECT_EQ(dialogs.message(QStringLiteral("提示"), MessageButtons::Ok, QStringLiteral("Quorin")),
              Answer::Ok);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, &kept);
}

TEST_F(DialogParentTest, QuestionShowsOverTheShownWindowAndGivesTheAnswer) {
    for (const auto& [button, answer] :
         {std::pair{QMessageBox::Yes, Answer::Yes}, std::pair{QMessageBox::No, Answer::No}}) {
        SCOPED_TRACE(int(answer));
        ASSERT_NO_FATAL_FAILURE(activate(kept));
        ASSERT_NO_FATAL_FAILURE(activateThenHide(gone));
        BoxSeen seen;
        answerNextBox(seen, button);
        EXPECT_EQ(dialogs.message(QStringLiteral("替换吗？"), MessageButtons::YesNo,
                                  QStringLiteral("Quorin")),
                  answer);
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.owner, &kept);
    }
}

TEST_F(DialogParentTest, OfTheShownWindowsTheOneActiveLastOwnsTheBox) {
    for (QWidget* last : {&kept, &other}) {
        QWidget* first = last == &kept ? &other : &kept;
        ASSERT_NO_FATAL_FAILURE(activate(*first));
        ASSERT_NO_FATAL_FAILURE(activate(*last));
        ASSERT_NO_FATAL_FAILURE(activateThenHide(gone));
        BoxSeen seen;
        answerNextBox(seen, QMessageBox::Ok);
        dialogs.message(QStringLiteral("提示"), MessageButtons::Ok, QStringLiteral("Quorin"));
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.owner, last);
    }
}

TEST_F(DialogParentTest, HiddenWindowsDialogsAndTipsNeverOwnTheBox) {
    QDialog dialog;
    dialog.show();
    QWidget tip(nullptr, Qt::ToolTip);
    tip.show();
    ASSERT_NO_FATAL_FAILURE(activate(kept));
    kept.hide();
    ASSERT_NO_FATAL_FAILURE(activateThenHide(gone));
    BoxSeen seen;
    answerNextBox(seen, QMessageBox::Ok);
    dialogs.message(QStringLiteral("提示"), MessageButtons::Ok, QStringLiteral("Quorin"));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, nullptr);
}

// A key delivered as the window system does, through the box's window.
void sendKey(QMessageBox& box, QEvent::Type type, quint64 time, bool autoRepeat = false) {
    QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), autoRepeat);
    event.setTimestamp(time);
    QCoreApplication::sendEvent(box.windowHandle(), &event);
}

TEST(MessageBoxKeys, ReturnHeldFromBeforeTheBoxDoesNotAnswerItAFreshPressDoes) {
    QtDialogs dialogs;
    bool upAfterHeldKey = false;
    QTimer::singleShot(0, [&upAfterHeldKey] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        // A repeat flagged as such, then one as X sends it.
        sendKey(*box, QEvent::KeyPress, 100, true);
        sendKey(*box, QEvent::KeyRelease, 140);
        sendKey(*box, QEvent::KeyPress, 140);
        upAfterHeldKey = box->isVisible();
        sendKey(*box, QEvent::KeyRelease, 150);
        sendKey(*box, QEvent::KeyPress, 900);
        if (box->isVisible())
            box->close();
    });
    EXPECT_EQ(dialogs.message(QStringLiteral("替换吗？"), MessageButtons::YesNo,
                              QStringLiteral("Quorin")),
              Answer::Yes);
    EXPECT_TRUE(upAfterHeldKey);
}

} // namespace
