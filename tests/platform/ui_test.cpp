#include "platform/ui/Application.h"
#include "platform/ui/ListItems.h"
#include "platform/ui/Messages.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QTest>

#include <stdexcept>
#include <vector>

namespace {

class MessageTarget : public QObject {
public:
    std::vector<platform::UINT> received;

protected:
    bool event(QEvent* event) override {
        if (event->type() == platform::MessageEvent::EventType()) {
            received.push_back(static_cast<platform::MessageEvent*>(event)->Msg);
            return true;
        }
        if (event->type() == QEvent::User)
            throw std::runtime_error("Cannot access CD");
        return QObject::event(event);
    }
};

TEST(PostedMessages, ArriveFromTheEventLoopInOrderNeverDuringThePost) {
    MessageTarget target;
    EXPECT_TRUE(platform::PostMessageA(&target, platform::WM_USER + 1234, 0, 0));
    EXPECT_TRUE(platform::PostMessageA(&target, platform::WM_USER + 1235, 0, 0));
    EXPECT_TRUE(target.received.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(target.received, (std::vector<platform::UINT>{0x8D2, 0x8D3}));
    EXPECT_FALSE(platform::PostMessageA(nullptr, platform::WM_USER, 0, 0));
}

TEST(StandardErrorBox, AnErrorEscapingAHandlerIsShownAndTheProgramCarriesOn) {
    MessageTarget target;
    DialogRecorder dialogs;
    QEvent failing(QEvent::User);
    QCoreApplication::sendEvent(&target, &failing);
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "Cannot access CD");
    EXPECT_EQ(dialogs.Shown[0].Title, "Quelvo Player");
    EXPECT_EQ(dialogs.Shown[0].Icon, platform::DialogIcon::Error);

    platform::PostMessageA(&target, platform::WM_USER, 0, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(target.received.size(), 1u);
}

TEST(IdleEvent, FiresOnceEachTimeTheQueueEmptiesNotContinuously) {
    platform::ApplicationEvents events;
    int idleCalls = 0;
    events.OnIdle = [&idleCalls] { ++idleCalls; };
    RunEventLoop(200);
    EXPECT_GE(idleCalls, 1);
    EXPECT_LT(idleCalls, 40) << "a spinning idle would fire thousands of times";
}

TEST(IdleEvent, AnErrorInTheIdleHandlerGoesToTheErrorBox) {
    platform::ApplicationEvents events;
    DialogRecorder dialogs;
    events.OnIdle = [&events] {
        events.OnIdle = nullptr;
        throw std::runtime_error("idle failed");
    };
    ASSERT_TRUE(RunEventsUntil([&dialogs] { return !dialogs.Shown.empty(); }));
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "idle failed");
}

TEST(ListItems, ReplacingAnEntryOutsideTheListIsAnError) {
    QComboBox list;
    EXPECT_THROW(
        {
            try {
                platform::PutItem(list, 0, "C:");
            } catch (const platform::EListError& error) {
                EXPECT_STREQ(error.what(), "List index out of bounds (0)");
                throw;
            }
        },
        platform::EListError);
    list.addItems({"D:", "E:"});
    platform::PutItem(list, 1, "C:");
    EXPECT_EQ(list.itemText(1), "C:");
    EXPECT_THROW(platform::PutItem(list, -1, "C:"), platform::EListError);
}

TEST(MessageBoxes, CarryTheirFixedTitlesAndButtons) {
    DialogRecorder dialogs(platform::DialogButton::No);
    platform::ShowInformation("Please insert a valid VCD file.");
    EXPECT_FALSE(platform::AskConfirmation("Repair?"));
    dialogs.YesNoAnswer = platform::DialogButton::Yes;
    EXPECT_TRUE(platform::AskConfirmation("Repair?"));
    ASSERT_EQ(dialogs.Shown.size(), 3);
    EXPECT_EQ(dialogs.Shown[0].Title, "Information");
    EXPECT_EQ(dialogs.Shown[0].Icon, platform::DialogIcon::Information);
    EXPECT_FALSE(dialogs.Shown[0].YesNo);
    EXPECT_EQ(dialogs.Shown[1].Title, "Confirm");
    EXPECT_TRUE(dialogs.Shown[1].YesNo);
}

} // namespace
