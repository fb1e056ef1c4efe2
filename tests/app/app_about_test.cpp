#include "app/pages/about_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_access.h"
#include "res/images.h"
#include "tests/app/app_test_support.h"

#include <QTest>

namespace {

constexpr ui::Color kLink = ui::Rgb(0, 0, 255);
constexpr ui::Color kVisited = ui::Rgb(255, 0, 0);
constexpr ui::Color kHover = ui::Rgb(125, 125, 0);

class AppAbout : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        ASSERT_TRUE(m_about.CreateModeless());
        m_link = ui::WidgetOf(m_about.m_link.Control());
        ASSERT_NE(m_link, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(m_about)));
    }
    void TearDown() override {
        m_about.EndDialog(ui::kIdOk);
        m_about.DestroyWindow();
        AppTestEnv::TearDown();
    }

    // The colour of the link's next paint.
    ui::Color PaintedColor() {
        ui::Control link = m_about.m_link.Control();
        link.Redraw();
        return link.TextColor();
    }

    void Hover(bool inside) {
        QWidget* window = ui::WindowOf(m_about);
        QPoint at = inside ? m_link->mapTo(window, m_link->rect().center()) : QPoint(1, 1);
        QTest::mouseMove(window, at);
        QApplication::processEvents();
    }

    CAboutDlg m_about;
    QWidget* m_link = nullptr;
};

TEST_F(AppAbout, LinkIsUnderlinedWithAHandCursorAndFollowsThePointer) {
    EXPECT_EQ(m_about.m_link.m_strTarget, "https://www.example.com/txv418k");
    EXPECT_EQ(PaintedColor(), kLink);
    EXPECT_TRUE(m_link->font().underline());
    EXPECT_FALSE(ui::WidgetOf(m_about.Item(1))->font().underline());
    EXPECT_EQ(m_link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(m_link->cursor().hotSpot(),
              QPoint(res::kHandCursorHotSpotX, res::kHandCursorHotSpotY));

    Hover(true);
    EXPECT_TRUE(m_about.m_link.PointerInside());
    EXPECT_EQ(PaintedColor(), kHover);
    Hover(false);
    EXPECT_FALSE(m_about.m_link.PointerInside());
    EXPECT_EQ(PaintedColor(), kLink);
}

TEST_F(AppAbout, OnlyALeftClickOpensTheTargetAndMarksTheLinkVisited) {
    Hover(true);
    QTest::mouseClick(m_link, Qt::RightButton);
    QTest::mouseClick(m_link, Qt::MiddleButton);
    EXPECT_TRUE(m_recorder.openedLinks.empty());
    EXPECT_FALSE(m_about.m_link.WasOpened());
    QTest::mouseClick(m_link, Qt::LeftButton);
    EXPECT_EQ(m_recorder.openedLinks,
              (std::vector<std::string>{"https://www.example.com/txv418k"}));
    EXPECT_TRUE(m_recorder.messageBoxes.empty());
    EXPECT_EQ(PaintedColor(), kVisited); // also while the pointer rests on it
    Hover(false);
    EXPECT_EQ(PaintedColor(), kVisited);
}

TEST_F(AppAbout, FailedOpenShowsTheMessageAndStillMarksTheLinkVisited) {
    m_recorder.SetOpenLinkResult(false);
    QTest::mouseClick(m_link, Qt::LeftButton);
    ASSERT_EQ(m_recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(m_recorder.messageBoxes[0].text, "提供的超级链接或者指定的文件无法执行");
    EXPECT_EQ(m_recorder.messageBoxes[0].caption, ui::ApplicationName());
    EXPECT_TRUE(m_about.m_link.WasOpened());
    EXPECT_EQ(PaintedColor(), kVisited);
}

} // namespace
