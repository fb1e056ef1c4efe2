#include "app/controls/label.h"
#include "app/main_dialog.h"
#include "platform/ui/qt_access.h"
#include "tests/app/app_test_support.h"

#include <QTest>
#include <memory>

namespace {

class AppLabel : public AppTestEnv {
protected:
    void SetUp() override {
        AppTestEnv::SetUp();
        m_dialog = std::make_unique<CDQ450DemoDlg>();
        ASSERT_TRUE(m_dialog->CreateModeless());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::WindowOf(*m_dialog)));
    }
    void TearDown() override {
        m_dialog->DestroyWindow();
        m_dialog.reset();
        AppTestEnv::TearDown();
    }
    std::unique_ptr<CDQ450DemoDlg> m_dialog;
};

TEST_F(AppLabel, UnconfiguredLabelKeepsTheSystemLook) {
    ui::Control caption = m_dialog->Item(1049);
    const ui::Color before = caption.TextColor();
    const int height = caption.FontHeight();
    const int weight = caption.FontWeight();
    CLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(1049, *m_dialog));
    EXPECT_EQ(label.TextColor(), before);
    EXPECT_EQ(caption.TextColor(), before);
    EXPECT_EQ(caption.FontHeight(), height);
    EXPECT_EQ(caption.FontWeight(), weight);

    CLabel missing;
    EXPECT_FALSE(missing.SubclassDlgItem(4242, *m_dialog));
}

TEST_F(AppLabel, SettersChangeTheFontAndColourAndRepaintAtOnce) {
    CLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(1049, *m_dialog));
    ui::Control control = label.Control();
    int paints = 0;
    control.SetPaintHook([&] { ++paints; });

    label.ApplyFontHeight(14);
    EXPECT_EQ(paints, 1);
    label.ApplyBold();
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(control.FontHeight(), -14);
    EXPECT_EQ(control.FontWeight(), 700);
    EXPECT_EQ(ui::WidgetOf(control)->font().pixelSize(), 14);
    EXPECT_TRUE(ui::WidgetOf(control)->font().bold());

    label.ApplyTextColor(ui::Rgb(200, 0, 0));
    EXPECT_EQ(paints, 3);
    EXPECT_EQ(label.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_EQ(control.TextColor(), ui::Rgb(200, 0, 0));
    control.SetPaintHook({});
}

TEST_F(AppLabel, MainDialogAndPageLabelsAreSetUp) {
    struct Case {
        const CLabel& label;
        int height;
    };
    const Case mainLabels[] = {{m_dialog->m_lblStatus, -14},
                               {m_dialog->m_lblHardwareId, -16},
                               {m_dialog->m_lblVersion, -12}};
    for (const Case& c : mainLabels) {
        EXPECT_EQ(c.label.Control().FontHeight(), c.height);
        EXPECT_EQ(c.label.Control().FontWeight(), 700);
    }
    EXPECT_EQ(m_dialog->m_lblHardwareId.Control().TextColor(), ui::Rgb(0, 0, 0));
    EXPECT_EQ(m_dialog->m_lblVersion.Control().TextColor(), ui::Rgb(0, 0, 200));

    // Every one of the swipe test page's labels found its static.
    for (const CLabel& label : m_dialog->m_pageHidTest.m_labels) {
        ASSERT_TRUE(label.Control().IsValid());
        EXPECT_EQ(label.Control().FontWeight(), 700);
    }
    const ui::Control swipeCount = m_dialog->m_pageHidTest.Item(1253);
    EXPECT_EQ(swipeCount.FontHeight(), -16);
    EXPECT_EQ(swipeCount.TextColor(), ui::Rgb(200, 0, 0));
    EXPECT_EQ(m_dialog->m_pageHidTest.Item(1304).TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(m_dialog->m_pageHidTest.Item(1154).TextColor(), ui::Rgb(0, 0, 200));
    EXPECT_EQ(m_dialog->m_pageIBtn.m_lblCardNo.Control().FontHeight(), -18);
    EXPECT_EQ(m_dialog->m_pageIBtn.m_lblCardNo.Control().TextColor(), ui::Rgb(200, 0, 0));
}

} // namespace
