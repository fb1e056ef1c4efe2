// Message boxes, the save-file dialog, the clipboard and links behind their
// hooks; strings, Latin-1 texts and the hand-off to the UI thread.

#include "platform/ui/clipboard.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/link.h"
#include "platform/ui/message_box.h"
#include "platform/ui/recorder.h"
#include "platform/ui/strings.h"
#include "platform/ui/ui_thread.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

TEST(UiServices, MessageBoxesAreRecordedAndAnsweredByTheRecorder) {
    ui::SetApplicationName("TXV418K Demo");
    ui::UiRecorder recorder;
    recorder.QueueMessageBoxAnswer(ui::kIdNo);

    EXPECT_EQ(ui::MessageBox("Open clipboard failed!", {}, ui::MessageIcon::None,
                             ui::MessageButtons::YesNo),
              ui::kIdNo);
    EXPECT_EQ(ui::MessageBox("command executed failed", "Error", ui::MessageIcon::Error),
              ui::kIdOk);
    EXPECT_EQ(ui::MessageBox("sure?", "Info", ui::MessageIcon::Question, ui::MessageButtons::YesNo),
              ui::kIdYes);

    ASSERT_EQ(recorder.messageBoxes.size(), 3u);
    EXPECT_EQ(recorder.messageBoxes[0].caption, "TXV418K Demo"); // no caption: the program's name
    EXPECT_EQ(recorder.messageBoxes[0].text, "Open clipboard failed!");
    EXPECT_EQ(recorder.messageBoxes[1].caption, "Error");
    EXPECT_EQ(recorder.messageBoxes[1].icon, ui::MessageIcon::Error);
    EXPECT_EQ(recorder.messageBoxes[2].buttons, ui::MessageButtons::YesNo);
}

TEST(UiServices, RecordersNestAndPutBackTheHooksBeforeThem) {
    ui::UiRecorder outer;
    {
        ui::UiRecorder inner;
        ui::MessageBox("inner");
        ui::OpenLink("https://inner.example");
        EXPECT_EQ(inner.messageBoxes.size(), 1u);
        EXPECT_EQ(inner.openedLinks.size(), 1u);
    }
    ui::MessageBox("outer");
    ui::SetClipboardText("outer");
    ASSERT_EQ(outer.messageBoxes.size(), 1u);
    EXPECT_EQ(outer.messageBoxes[0].text, "outer");
    EXPECT_TRUE(outer.openedLinks.empty());
    EXPECT_EQ(outer.clipboardTexts, std::vector<std::string>{"outer"});
}

TEST(UiServices, ClipboardLinkAndSaveFileGoThroughTheirHooks) {
    ui::UiRecorder recorder;
    EXPECT_TRUE(ui::SetClipboardText(""));
    recorder.SetClipboardResult(false);
    EXPECT_FALSE(ui::SetClipboardText("%B123?"));
    EXPECT_EQ(recorder.clipboardTexts, (std::vector<std::string>{"", "%B123?"}));

    recorder.SetOpenLinkResult(false);
    EXPECT_FALSE(ui::OpenLink("http://www.example.com"));
    EXPECT_EQ(recorder.openedLinks, std::vector<std::string>{"http://www.example.com"});

    recorder.QueueSaveFileAnswer("/tmp/record.txt");
    EXPECT_EQ(ui::SaveFileDialog("20240101.txt", "text File(*.txt)|*.txt||", "txt"),
              std::optional<std::string>("/tmp/record.txt"));
    EXPECT_EQ(ui::SaveFileDialog("again.txt", "text File(*.txt)|*.txt||", "txt"), std::nullopt);
    ASSERT_EQ(recorder.saveFileRequests.size(), 2u);
    EXPECT_EQ(recorder.saveFileRequests[0].proposedName, "20240101.txt");
    EXPECT_EQ(recorder.saveFileRequests[0].defaultExtension, "txt");
}

TEST(UiServices, ClipboardWithoutAHookReachesTheSystemClipboard) {
    ASSERT_TRUE(ui::SetClipboardText("读卡成功 ;123?"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("读卡成功 ;123?"));
    ASSERT_TRUE(ui::SetClipboardText(""));
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
}

TEST(UiServices, StringsFollowTheUiLanguage) {
    ui::SetUiLanguage(res::Language::Chinese);
    EXPECT_EQ(ui::LoadString(118), "命令执行成功");
    ui::SetUiLanguage(res::Language::English);
    EXPECT_EQ(ui::LoadString(118), "command executed successfully");
    EXPECT_EQ(ui::LoadString(99999), "");
}

// Runs the event loop until done() or a generous guard time passes.
template <typename Done> bool ProcessUntil(Done done) {
    QDeadlineTimer guard(10000);
    while (!done() && !guard.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return done();
}

TEST(UiServices, PostedCallsRunOnTheUiThreadInOrder) {
    std::vector<int> order;
    std::atomic<bool> allOnUiThread{true};
    std::thread worker([&] {
        for (int i = 0; i < 200; ++i) {
            ui::PostToUiThread([&, i] {
                allOnUiThread = allOnUiThread && ui::IsUiThread();
                order.push_back(i);
            });
        }
    });
    worker.join();
    EXPECT_FALSE(ui::IsUiThread() == false);
    ASSERT_TRUE(ProcessUntil([&] { return order.size() == 200; }));
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(order[i], i);
    }
    EXPECT_TRUE(allOnUiThread);
}

TEST(UiServices, RunPostedNowDrainsWithoutTheEventLoopAndOnlyOnce) {
    std::vector<std::string> ran;
    std::thread worker([&] {
        ui::PostToUiThread([&] {
            ran.push_back("frame 1");
            ui::PostToUiThread([&] { ran.push_back("posted by frame 1"); });
        });
        ui::PostToUiThread([&] { ran.push_back("frame 2"); });
    });
    worker.join();
    ui::RunPostedNow();
    EXPECT_EQ(ran, (std::vector<std::string>{"frame 1", "frame 2", "posted by frame 1"}));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(ran.size(), 3u);

    // Posting again after a drain still reaches the event loop.
    ui::PostToUiThread([&] { ran.push_back("later"); });
    EXPECT_TRUE(ProcessUntil([&] { return ran.size() == 4; }));
}

} // namespace
