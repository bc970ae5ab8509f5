#include "ui/UIManager.h"

#include "UITestSupport.h"
#include "ui/Button.h"
#include "ui/UIWindow.h"

#include <stdexcept>

namespace
{
using Names = std::vector<std::string>;

class UIManagerTest : public uitest::UIFixture
{
protected:
    UIWindow* texturedWindow(const std::string& texture)
    {
        UIWindow* window = new UIWindow({100.0f, 100.0f, 0.0f}, {50.0f, 50.0f, 1.0f});
        window->setTexture(texture);
        return window;
    }

    Button* texturedButton(const std::string& name)
    {
        Button* button = new Button(name);
        button->setTexture(name + "Tex");
        return button;
    }

    void expectThrowsMissingKey(const std::function<void()>& lookup)
    {
        try
        {
            lookup();
            ADD_FAILURE() << "no exception";
        }
        catch (const std::out_of_range& error)
        {
            EXPECT_STREQ(error.what(), "invalid map<K, T> key");
        }
    }
};

// An element the window only borrows (not a button): it must outlive the window.
class BorrowedElement : public UIElement
{
public:
    explicit BorrowedElement(bool& aliveFlag) : UIElement("Borrowed"), alive(aliveFlag) { alive = true; }
    ~BorrowedElement() override { alive = false; }
    void update() override {}
    void draw(DrawData&) override {}
    uint32_t getType() const override { return 2; }
    void setMesh(Mesh*) override {}
    void drawEditor() override {}

private:
    bool& alive;
};

class CountedButton : public Button
{
public:
    CountedButton(const std::string& name, int& deletions) : Button(name), deleted(deletions) {}
    ~CountedButton() override { ++deleted; }

private:
    int& deleted;
};
}

TEST_F(UIManagerTest, WindowWithTwoButtonsDrawsFiveQuadsInNameOrder)
{
    UIWindow* window = texturedWindow("Win");
    window->addElement("B", texturedButton("B"));
    window->addElement("A", texturedButton("A"));
    ui.addWindow("W", window);
    quad.draws.clear();
    ui.render();
    EXPECT_EQ(quad.drawnTextures(), (Names{"Win", "ATex", "ATex", "BTex", "BTex"}));
    EXPECT_EQ(quad.draws[0].position, glm::vec3(100.0f, 100.0f, 0.0f));
}

TEST_F(UIManagerTest, WindowsDrawInNameOrderAndTheFirstRegistrationWins)
{
    UIWindow* credits = texturedWindow("Credits");
    UIWindow* background = texturedWindow("Background");
    UIWindow* second = texturedWindow("Second");
    ui.addWindow("WindowCredits", credits);
    ui.addWindow("WindowBG", background);
    ui.addWindow("WindowBG", second);
    EXPECT_EQ(ui.getWindow("WindowBG"), background);
    quad.draws.clear();
    ui.render();
    EXPECT_EQ(quad.drawnTextures(), (Names{"Background", "Credits"}));
    delete second;
}

TEST_F(UIManagerTest, LookupsOfAbsentNamesThrowAndNullObjectsAnswerNeutrally)
{
    expectThrowsMissingKey([&] { ui.getWindow("nothing"); });
    UIWindow* window = texturedWindow("Win");
    ui.addWindow("W", window);
    expectThrowsMissingKey([&] { window->getElement("nothing"); });
    expectThrowsMissingKey([&] { window->getChildWindow("nothing"); });

    ui.clearWindows();
    ui.clearWindows();
    expectThrowsMissingKey([&] { ui.getWindow("W"); });

    EXPECT_TRUE(UIManagerNull::instance()->getWindow("any")->isNull());
    EXPECT_TRUE(UIWindowNull::instance()->getElement("any")->isNull());
    EXPECT_EQ(UIWindowNull::instance()->getChildWindow("any"), UIWindowNull::instance());
    EXPECT_EQ(UIWindowNull::instance()->getScale(), glm::vec3(0.0f));
}

TEST_F(UIManagerTest, WindowDeletesItsButtonsAndChildrenButNotBorrowedElements)
{
    bool borrowedAlive = false;
    BorrowedElement borrowed(borrowedAlive);
    int deletions = 0;
    UIWindow* window = texturedWindow("Win");
    UIWindow* child = texturedWindow("Child");
    child->addElement("C", new CountedButton("C", deletions));
    window->addChildWindow("child", child);
    window->addElement("A", new CountedButton("A", deletions));
    window->addElement("Borrowed", &borrowed);
    ui.addWindow("W", window);
    ui.clearWindows();
    EXPECT_EQ(deletions, 2);
    EXPECT_TRUE(borrowedAlive);
}

// Each state removes only its own windows: the win screen's windows survive the pause menu
// closing over it.
TEST_F(UIManagerTest, RemoveWindowDeletesOnlyTheNamedWindow)
{
    ui.addWindow("windo", texturedWindow("Banner"));
    ui.addWindow("windowLeft", texturedWindow("Left"));
    ui.removeWindow("windowLeft");
    ui.removeWindow("windowLeft");
    EXPECT_FALSE(ui.hasWindow("windowLeft"));
    EXPECT_EQ(ui.getWindow("windo")->getTextureName(), "Banner");
    EXPECT_EQ(ui.getWindowCount(), 1u);
}

TEST_F(UIManagerTest, WindowsUpdateChildrenThenElementsInNameOrder)
{
    static std::vector<std::string> gOrder;
    gOrder.clear();
    UIWindow* window = texturedWindow("Win");
    UIWindow* child = texturedWindow("Child");
    Button* inChild = new Button("InChild");
    Button* zed = new Button("Zed");
    Button* alpha = new Button("Alpha");
    for (Button* button : {inChild, zed, alpha})
    {
        button->setPosition({100.0f, 100.0f, 0.0f});
        button->setScale({50.0f, 50.0f, 1.0f});
    }
    inChild->setCallback([] { gOrder.push_back("InChild"); });
    zed->setCallback([] { gOrder.push_back("Zed"); });
    alpha->setCallback([] { gOrder.push_back("Alpha"); });
    child->addElement("x", inChild);
    window->addChildWindow("c", child);
    window->addElement("Zed", zed);
    window->addElement("Alpha", alpha);
    ui.addWindow("W", window);
    pointAt(100, 100);
    const auto click = [&] {
        device.pressMouse(0);
        step();
        device.releaseMouse(0);
        step();
    };
    // The first button in the walk takes the click: the child's, then the first element by
    // name, though "Zed" was added before "Alpha".
    click();
    inChild->setVisible(false);
    click();
    EXPECT_EQ(gOrder, (Names{"InChild", "Alpha"}));
}

TEST_F(UIManagerTest, NoticeShowsFiveSecondsWithThePictureOfItsKind)
{
    struct Case
    {
        int32_t kind;
        const char* texture;
    };
    // A first notice of an unknown kind has no picture yet: the placeholder is drawn.
    const Case cases[] = {{3, ""},
                          {1, "ConnectedDual"},
                          {2, "ConnectedWireless"},
                          {0, "ConnectedKeyboard"},
                          {3, "ConnectedKeyboard"},
                          {1, "ConnectedDual"},
                          {-1, "ConnectedDual"}};
    quad.draws.clear();
    ui.render();
    EXPECT_TRUE(quad.draws.empty()) << "no notice before one is asked for";

    for (const Case& c : cases)
    {
        ui.showControllerNotice(c.kind);
        EXPECT_EQ(ui.getNoticeTexture(), c.texture) << c.kind;
        GameClock::advanceManualSeconds(4.999);
        quad.draws.clear();
        ui.render();
        ASSERT_EQ(quad.draws.size(), 1u) << c.kind;
        EXPECT_EQ(quad.draws[0].texture, *c.texture ? c.texture : TextureManager::kFallbackName);
        GameClock::advanceManualSeconds(0.001);
        quad.draws.clear();
        ui.render();
        EXPECT_TRUE(quad.draws.empty()) << "gone at t + 5000";
    }
}

TEST_F(UIManagerTest, SecondNoticeRestartsTheTimeAndNoticeFollowsTheWindowWidth)
{
    ui.showControllerNotice(1);
    GameClock::advanceManualSeconds(4.0);
    ui.showControllerNotice(2);
    GameClock::advanceManualSeconds(4.0);
    EXPECT_TRUE(ui.isNoticeShowing());

    step();
    const float k = 800.0f / 2160.0f;
    EXPECT_NEAR(ui.getNoticeWindow()->getPosition().x, 252.0f * k, 1e-3f);
    EXPECT_NEAR(ui.getNoticeWindow()->getPosition().y, 128.0f, 1e-5f);
    engine.handleWindowSize(2160, 1200);
    step();
    EXPECT_NEAR(ui.getNoticeWindow()->getPosition().x, 252.0f, 1e-3f);
    EXPECT_EQ(ui.getNoticeWindow()->getScale(), glm::vec3(252.0f, 128.0f, 1.0f));
}

// The joystick callback runs before the interface initialises: the notice must not need it.
TEST(UIManagerStartTest, NoticeAskedForBeforeInitializeIsKept)
{
    GameClock::setManualSeconds(10.0);
    UIManager ui;
    ui.showControllerNotice(2);
    ui.render();
    ui.initialize();
    EXPECT_EQ(ui.getNoticeWindow()->getTextureName(), "ConnectedWireless");
    EXPECT_TRUE(ui.isNoticeShowing());
    GameClock::useRealClock();
}

// The pause menu's credits window never gets a texture: it draws the placeholder, asked for by
// name so that the texture manager does not report a missing texture on every frame.
TEST_F(UIManagerTest, WindowWithoutATextureDrawsThePlaceholderByName)
{
    ui.addWindow("WindowCredits", new UIWindow({0.0f, 0.0f, -0.3f}, {10.0f, 10.0f, 1.0f}));
    ui.render();
    EXPECT_EQ(quad.drawnTextures(), (Names{"NO_TEXTURE"}));
    EXPECT_EQ(std::count(textures.names.begin(), textures.names.end(), ""), 0);
}
